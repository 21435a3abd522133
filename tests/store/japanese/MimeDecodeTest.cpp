#include "JapaneseTestText.h"

#include "store/japanese/MimeDecode.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::euc;
using test::hex;
using test::jis;
using test::jisWord;
using test::sjis;
using namespace Qt::StringLiterals;

TEST(Base64Decode, GroupsPaddingLineEndsAndStrayCharacters)
{
    const std::pair<QByteArray, QByteArray> rows[] = {
        { "QUJD", "ABC" },
        { "QUI=", "AB" },
        { "QQ==", "A" },
        { "QUJDREVG", "ABCDEF" },
        { "+/+/", hex("FBFFBF") },
        { "", "" },
        // Line ends at group starts are skipped.
        { "QUJD\r\nREVG\r\n", "ABCDEF" },
        { "\r\n\r\nQUJD", "ABC" },
        // Unpadded tails: the output length follows the count of data characters.
        { "QUJDRA", "ABCD" },
        { "QUJDR", "ABC" },
        { "QUJDREU", "ABCDE" },
        { "Q", "" },
        // A pad in the middle ends its group only.
        { "QQ==QUJD", "AABC" },
        // Characters outside the alphabet count as zero.
        { "!!!!", hex("000000") },
        { "QU?D", hex("4140 03") },
        { hex("FF80 00FE"), hex("000000") },
        { "====", "" },
        { "=QUJ", hex("0105") },
    };
    for (const auto &[text, bytes] : rows)
        EXPECT_EQ(Base64Decode(text), bytes) << text.constData();
    // A line end inside a group is data; the output is cut to the length.
    EXPECT_EQ(Base64Decode("QU\r\nJD").size(), 3);
}

QByteArray bWord(const char *charset, const QByteArray &bytes)
{
    return "=?" + QByteArray(charset) + "?B?" + bytes.toBase64() + "?=";
}

struct Row
{
    QByteArray in;
    QByteArray out; // Shift_JIS
};

void expectRows(const std::vector<Row> &rows)
{
    for (const Row &row : rows)
        EXPECT_EQ(MimeDecode(row.in).toHex(' '), row.out.toHex(' ')) << row.in.toStdString();
}

TEST(MimeDecode, IsoWordsDecodeAsBefore)
{
    QByteArray open = jis(u"未完"_s);
    open.chop(3); // left in two-byte mode: the Roman escape after the word closes it
    const QByteArray inner = "=?ISO-2022-JP?B?QQ==?=";
    expectRows({
        { "Re: " + jisWord(u"件名"_s) + " end", sjis(u"Re: 件名 end"_s) },
        { jisWord(u"件名"_s, "=?iso-2022-jp?b?"), sjis(u"件名"_s) },
        { jisWord(u"件名"_s, "=?Iso-2022-Jp?b?"), sjis(u"件名"_s) },
        { bWord("ISO-2022-JP", open) + "x", sjis(u"未完x"_s) },
        { bWord("ISO-2022-JP", inner), inner }, // decoded text is not decoded again
        // The NEC row that Windows mailers write in ISO-2022-JP.
        { bWord("ISO-2022-JP", "\x1b$B" + hex("2D21 2D6A") + "\x1b(B"), sjis(u"①㈱"_s) },
        // Half-width kana as some mailers write them (ESC ( I), with or without kanji.
        { bWord("ISO-2022-JP", "\x1b(I6J6E\x1b(B"), sjis(u"ｶﾊｶﾅ"_s) },
        { bWord("ISO-2022-JP", "\x1b$B" + hex("3441") + "\x1b(I6J\x1b(Bx"), sjis(u"漢ｶﾊx"_s) },
    });
}

TEST(MimeDecode, BlanksBetweenAdjacentWordsAreDropped)
{
    const QByteArray nihon = jisWord(u"日本"_s);
    const QByteArray go = jisWord(u"語"_s);
    const QByteArray bad = "=?UTF-8?B?!?=";
    expectRows({
        { nihon + " \t " + go + go, sjis(u"日本語語"_s) },
        { nihon + " x " + go, sjis(u"日本 x 語"_s) },
        { nihon + " " + bad + " " + go, sjis(u"日本 "_s) + bad + sjis(u" 語"_s) },
    });
}

TEST(MimeDecode, MalformedWordsStayLiteral)
{
    for (const QByteArray &word : {
             QByteArray("=?X-UNKNOWN?B?QUJD?="),
             QByteArray("=?UTF-8?B?QU!D?="), // outside the alphabet
             QByteArray("=?UTF-8?B?QUJDR?="), // a lone character in the last group
             QByteArray("=?UTF-8?B?QQ==QUJD?="), // padding inside
             QByteArray("=?UTF-8?Q?a=4?="),
             QByteArray("=?UTF/8?B?QUJD?="),
             QByteArray("=?ISO-2022-JP?B?GyRCN29MPhsoQg== b"), // no end
             "=?" + QByteArray(70, 'A') + "?B?QUJD?=",
         }) {
        EXPECT_EQ(MimeDecode("a " + word + " z"), "a " + word + " z");
    }
}

TEST(MimeDecode, CharacterSplitOverAdjacentWordsJoins)
{
    const QByteArray kai = u"会"_s.toUtf8();
    const QByteArray pair = jis(u"議"_s).sliced(3, 2); // without the escapes
    expectRows({
        { bWord("UTF-8", kai.first(2)) + " x " + bWord("UTF-8", kai.sliced(2)), sjis(u"〓〓 x 〓"_s) },
        { bWord("ISO-2022-JP", "\x1b$B" + pair.first(1)) + bWord("ISO-2022-JP", pair.sliced(1) + "\x1b(B"),
            sjis(u"議"_s) },
        // A word left in two-byte mode after whole characters is still closed.
        { bWord("ISO-2022-JP", "\x1b$B" + pair) + bWord("ISO-2022-JP", "ab"), sjis(u"議ab"_s) },
    });
}

TEST(MimeDecode, CharsetsConvertWithTheCp932Extensions)
{
    expectRows({
        { bWord("Shift_JIS", sjis(u"①髙"_s)), sjis(u"①髙"_s) },
        { bWord("EUC-JP", hex("ADA1") + euc(u"件"_s)), sjis(u"①件"_s) },
        { bWord("UTF-8", "a" + hex("FF") + "b"), sjis(u"a〓b"_s) },
    });
}

TEST(MimeDecode, RawTextOtherThanUtf8IsGuessedAsBefore)
{
    expectRows({
        { sjis(u"会議"_s) + " " + jisWord(u"件"_s), sjis(u"会議 件"_s) },
        // Not well-formed UTF-8 (overlong, surrogate).
        { hex("C0AF E0A080"), hex("C0AF E0A080") },
        { hex("EDA080 41"), hex("EDA080 41") },
    });
}

} // namespace
} // namespace vesk
