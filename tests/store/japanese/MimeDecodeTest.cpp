#include "JapaneseTestText.h"

#include "store/japanese/MimeDecode.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::hex;
using test::jis;
using test::jisWord;
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

TEST(MimeDecode, IsoBWordsBecomeJisWithARomanEscapeAndEverythingElseStays)
{
    const QByteArray leave("\x1b(J");
    const QByteArray inner = "=?ISO-2022-JP?B?QQ==?=";
    const std::pair<QByteArray, QByteArray> rows[] = {
        { "Re: " + jisWord(u"件名"_s) + " end", "Re: " + jis(u"件名"_s) + leave + " end" },
        { jisWord(u"件名"_s, "=?iso-2022-jp?b?"), jis(u"件名"_s) + leave },
        { jisWord(u"件名"_s, "=?Iso-2022-Jp?b?"), jis(u"件名"_s) + leave },
        // Q words and other charsets stay literal.
        { "=?ISO-2022-JP?Q?=1B$B7oL>=1B(B?=", "=?ISO-2022-JP?Q?=1B$B7oL>=1B(B?=" },
        { "=?UTF-8?B?5Lu25ZCN?=", "=?UTF-8?B?5Lu25ZCN?=" },
        { "=?ISO-2022-JP-2?B?GyRCN29MPhsoQg==?=", "=?ISO-2022-JP-2?B?GyRCN29MPhsoQg==?=" },
        // White space between adjacent words stays.
        { jisWord(u"日本"_s) + " " + jisWord(u"語"_s), jis(u"日本"_s) + leave + " " + jis(u"語"_s) + leave },
        { jisWord(u"日本"_s) + jisWord(u"語"_s), jis(u"日本"_s) + leave + jis(u"語"_s) + leave },
        // An unterminated word loses only its prefix.
        { "a =?ISO-2022-JP?B?GyRCN29MPhsoQg== b", "a GyRCN29MPhsoQg== b" },
        { "=?ISO-2022-JP?B?=?ISO-2022-JP?B?", "" },
        { "x=?ISO-2022-JP?B", "x=?ISO-2022-JP?B" },
        // Decoded text is not decoded again.
        { "=?ISO-2022-JP?B?" + inner.toBase64() + "?=", inner + leave },
    };
    for (const auto &[text, decoded] : rows)
        EXPECT_EQ(MimeDecode(text), decoded) << text.constData();
}

} // namespace
} // namespace vesk
