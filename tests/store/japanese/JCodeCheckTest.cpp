#include "JapaneseTestText.h"

#include "store/japanese/JCode.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::euc;
using test::hex;
using test::jis;
using test::sjis;
using namespace Qt::StringLiterals;

TEST(JCodeCheck, EachKindOfText)
{
    // A control byte at byte 512 (1-based) is still seen by the binary pre-scan.
    const QByteArray binaryAt512 = sjis(u"あ"_s) + QByteArray(509, 'a') + hex("05") + "zz";
    const struct
    {
        const char *what;
        QByteArray text;
        int kind;
    } rows[] = {
        // Too short, or only the last byte non-ASCII: nothing is decided.
        { "empty", "", JCodeNone },
        { "one byte", hex("82"), JCodeNone },
        { "last byte", QByteArray("plain text") + hex("82"), JCodeNone },
        { "ascii", "plain ASCII\r\n", JCodeNone },
        // Control bytes below 0x08 and 0xFF mean binary; the last byte is not examined.
        { "control", QByteArray("ab") + hex("05") + "cd", JCodeBinary },
        { "0xFF", QByteArray("ab") + hex("FF") + "cd", JCodeBinary },
        { "NUL", QByteArray("ab") + hex("00") + "cd", JCodeBinary },
        { "control last", QByteArray("abcd") + hex("05"), JCodeNone },
        { "backspace and tab", "ab\b\tcd", JCodeNone },
        { "pre-scan", binaryAt512, JCodeBinary },
        // At byte 513 only the main walk sees it, and that stops at the Shift_JIS.
        { "after pre-scan", 'a' + binaryAt512, JCodeSjis },
        { "main walk", QByteArray(600, 'a') + hex("01") + "z", JCodeBinary },
        // Escape sequences; one cut off decides nothing and reads nothing past the end.
        { "JIS", jis(u"日本語"_s), JCodeJis },
        { "old JIS", QByteArray("a\x1b$@") + hex("4640") + "\x1b(J", JCodeOldJis },
        { "roman escapes", "a\x1b(Bb\x1b(J", JCodeNone },
        { "cut escape", "ab\x1b$", JCodeNone },
        { "lone escape", "ab\x1b", JCodeNone },
        // Shift_JIS lead bytes; 0x8E: a Shift_JIS lead or an EUC-JP half-width kana.
        { "sjis", sjis(u"こんにちは"_s), JCodeSjis },
        { "81 40", hex("8140 20"), JCodeSjis },
        { "9F 40", hex("9F40 20"), JCodeSjis },
        { "8E 40", hex("8E40 20"), JCodeSjis },
        { "8E A0", hex("8EA0 20"), JCodeSjis },
        { "8E FC", hex("8EFC 20"), JCodeSjis },
        { "8E B1", hex("8EB1 20"), JCodeEucOrSjis },
        { "8E 20", hex("8E20 20"), JCodeNone },
        { "E0 40", hex("E040 20"), JCodeSjis },
        { "E0 FD", hex("E0FD 20"), JCodeEuc },
        { "E0 A1", hex("E0A1 20"), JCodeEucOrSjis },
        // Half-width kana followed by ASCII can only be Shift_JIS.
        { "kana ascii", hex("B1 41 42"), JCodeSjis },
        { "kana A0", hex("B1 A0 42"), JCodeNone },
        { "80 A0", hex("80 A0 42"), JCodeNone },
        // EUC-JP; only kana pairs leave it undecided.
        { "euc", euc(u"こんにちは"_s), JCodeEuc },
        { "F0 A1", hex("F0A1 20"), JCodeEuc },
        { "B1 F0", hex("B1F0 20"), JCodeEuc },
        { "euc kana", euc(u"アイウ"_s), JCodeEucOrSjis },
        // Undecided is upgraded by later bytes; the first decisive kind wins.
        { "then euc", euc(u"アイウ"_s) + euc(u"ん"_s), JCodeEuc },
        { "then sjis", hex("B1B2") + sjis(u"あ"_s) + "x", JCodeSjis },
        { "then jis", hex("B1B2") + jis(u"あ"_s), JCodeJis },
        { "sjis first", sjis(u"あ"_s) + jis(u"あ"_s), JCodeSjis },
        // A1..DF then E0..EF: the run of bytes from 0x40 up decides.
        { "run sjis", hex("B1E0 40 81 20"), JCodeSjis },
        { "run euc", hex("B1E0 A1A1 FD 20"), JCodeEuc },
        { "run 9D", hex("B1E0 9D 41"), JCodeEucOrSjis }, // 0x9D is no mark in the look-ahead
        { "run ends", hex("B1E0 E0 20 20 8140 20"), JCodeSjis },
        { "run to the end", hex("B1E0 E0E0E0E0"), JCodeEucOrSjis },
    };
    for (const auto &[what, text, kind] : rows)
        EXPECT_EQ(JCodeCheck(text), kind) << what;
}

} // namespace
} // namespace vesk
