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

TEST(JCodeCheck, TooShortOrOnlyLastByteNonAsciiDecidesNothing)
{
    EXPECT_EQ(JCodeCheck(""), JCodeNone);
    EXPECT_EQ(JCodeCheck(hex("82")), JCodeNone);
    EXPECT_EQ(JCodeCheck(hex("FF")), JCodeNone);
    EXPECT_EQ(JCodeCheck(QByteArray("plain text") + hex("82")), JCodeNone);
    EXPECT_EQ(JCodeCheck("plain ASCII\r\n"), JCodeNone);
}

TEST(JCodeCheck, ControlBytesMeanBinary)
{
    EXPECT_EQ(JCodeCheck(QByteArray("ab") + hex("05") + "cd"), JCodeBinary);
    EXPECT_EQ(JCodeCheck(QByteArray("ab") + hex("FF") + "cd"), JCodeBinary);
    EXPECT_EQ(JCodeCheck(QByteArray("ab") + hex("00") + "cd"), JCodeBinary);
    // The last byte is not examined.
    EXPECT_EQ(JCodeCheck(QByteArray("abcd") + hex("05")), JCodeNone);
    // 0x08 and above are ordinary.
    EXPECT_EQ(JCodeCheck(QByteArray("ab\b\tcd")), JCodeNone);
}

TEST(JCodeCheck, BinaryPreScanCoversTheFirst512BytesAhead)
{
    // Shift_JIS first, a control byte at byte 512 (1-based): still binary.
    QByteArray text = sjis(u"あ"_s) + QByteArray(509, 'a') + hex("05") + "zz";
    ASSERT_EQ(text.indexOf('\x05'), 511);
    EXPECT_EQ(JCodeCheck(text), JCodeBinary);
    // At byte 513 only the main walk sees it, and that stops at the Shift_JIS.
    text.insert(0, 'a');
    EXPECT_EQ(JCodeCheck(text), JCodeSjis);
    // With nothing decisive before it, the main walk reports it too.
    EXPECT_EQ(JCodeCheck(QByteArray(600, 'a') + hex("01") + "z"), JCodeBinary);
}

TEST(JCodeCheck, EscapeSequences)
{
    EXPECT_EQ(JCodeCheck(jis(u"日本語"_s)), JCodeJis);
    EXPECT_EQ(JCodeCheck(QByteArray("a\x1b$@") + hex("4640") + "\x1b(J"), JCodeOldJis);
    EXPECT_EQ(JCodeCheck("a\x1b(Bb\x1b(J"), JCodeNone);
    // Cut off after the "$": nothing, and nothing read past the end.
    EXPECT_EQ(JCodeCheck("ab\x1b$"), JCodeNone);
    EXPECT_EQ(JCodeCheck("ab\x1b"), JCodeNone);
}

TEST(JCodeCheck, ShiftJisLeadBytes)
{
    EXPECT_EQ(JCodeCheck(sjis(u"こんにちは"_s)), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("8140 20")), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("9F40 20")), JCodeSjis);
    // 0x8E: a Shift_JIS trail byte or an EUC-JP half-width kana.
    EXPECT_EQ(JCodeCheck(hex("8E40 20")), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("8EA0 20")), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("8EFC 20")), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("8EB1 20")), JCodeEucOrSjis);
    EXPECT_EQ(JCodeCheck(hex("8E20 20")), JCodeNone);
    // 0xE0..0xEF lead
    EXPECT_EQ(JCodeCheck(hex("E040 20")), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("E0FD 20")), JCodeEuc);
    EXPECT_EQ(JCodeCheck(hex("E0A1 20")), JCodeEucOrSjis);
    // Half-width kana followed by ASCII can only be Shift_JIS.
    EXPECT_EQ(JCodeCheck(hex("B1 41 42")), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("B1 A0 42")), JCodeNone);
    EXPECT_EQ(JCodeCheck(hex("80 A0 42")), JCodeNone);
}

TEST(JCodeCheck, EucJp)
{
    EXPECT_EQ(JCodeCheck(euc(u"こんにちは"_s)), JCodeEuc); // ん is A4F3
    EXPECT_EQ(JCodeCheck(hex("F0A1 20")), JCodeEuc);
    EXPECT_EQ(JCodeCheck(hex("B1F0 20")), JCodeEuc);
    // Only kana pairs: undecided.
    EXPECT_EQ(JCodeCheck(euc(u"アイウ"_s)), JCodeEucOrSjis);
}

TEST(JCodeCheck, UndecidedIsUpgradedByLaterBytes)
{
    EXPECT_EQ(JCodeCheck(euc(u"アイウ"_s) + euc(u"ん"_s)), JCodeEuc);
    EXPECT_EQ(JCodeCheck(hex("B1B2") + sjis(u"あ"_s) + "x"), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("B1B2") + jis(u"あ"_s)), JCodeJis);
    // The first decisive kind wins.
    EXPECT_EQ(JCodeCheck(sjis(u"あ"_s) + jis(u"あ"_s)), JCodeSjis);
}

TEST(JCodeCheck, LookAheadAfterKanaAndHighLead)
{
    // A1..DF then E0..EF: the run of bytes from 0x40 up decides.
    EXPECT_EQ(JCodeCheck(hex("B1E0 40 81 20")), JCodeSjis);
    EXPECT_EQ(JCodeCheck(hex("B1E0 A1A1 FD 20")), JCodeEuc);
    // 0x9D is not a Shift_JIS mark in the look-ahead (the walk would take it).
    EXPECT_EQ(JCodeCheck(hex("B1E0 9D 41")), JCodeEucOrSjis);
    // The run ends at a byte below 0x40; the walk goes on after it.
    EXPECT_EQ(JCodeCheck(hex("B1E0 E0 20 20 8140 20")), JCodeSjis);
    // A run up to the very end stays inside the text.
    EXPECT_EQ(JCodeCheck(hex("B1E0 E0E0E0E0")), JCodeEucOrSjis);
}

} // namespace
} // namespace vesk
