#include "JapaneseTestText.h"

#include "store/japanese/MimeDecode.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::hex;
using test::jis;
using test::jisWord;
using namespace Qt::StringLiterals;

const QByteArray kLeave("\x1b(J");

TEST(Base64Decode, GroupsAndPadding)
{
    EXPECT_EQ(Base64Decode("QUJD"), QByteArray("ABC"));
    EXPECT_EQ(Base64Decode("QUI="), QByteArray("AB"));
    EXPECT_EQ(Base64Decode("QQ=="), QByteArray("A"));
    EXPECT_EQ(Base64Decode("QUJDREVG"), QByteArray("ABCDEF"));
    EXPECT_EQ(Base64Decode("+/+/"), hex("FBFFBF"));
    EXPECT_EQ(Base64Decode(""), QByteArray());
}

TEST(Base64Decode, LineEndsAtGroupStartsAreSkipped)
{
    EXPECT_EQ(Base64Decode("QUJD\r\nREVG\r\n"), QByteArray("ABCDEF"));
    EXPECT_EQ(Base64Decode("\r\n\r\nQUJD"), QByteArray("ABC"));
}

TEST(Base64Decode, OutputLengthFollowsTheCountOfDataCharacters)
{
    // Unpadded tails: 6 characters give 4 bytes, 5 give 3, 7 give 5.
    EXPECT_EQ(Base64Decode("QUJDRA"), QByteArray("ABCD"));
    EXPECT_EQ(Base64Decode("QUJDR"), QByteArray("ABC"));
    EXPECT_EQ(Base64Decode("QUJDREU"), QByteArray("ABCDE"));
    EXPECT_EQ(Base64Decode("Q"), QByteArray());
    // A pad in the middle ends its group only.
    EXPECT_EQ(Base64Decode("QQ==QUJD"), QByteArray("AABC"));
    // A line end inside a group is data; the output is cut to the length.
    EXPECT_EQ(Base64Decode("QU\r\nJD").size(), 3);
}

TEST(Base64Decode, CharactersOutsideTheAlphabetCountAsZero)
{
    EXPECT_EQ(Base64Decode("!!!!"), hex("000000"));
    EXPECT_EQ(Base64Decode("QU?D"), hex("4140 03"));
    EXPECT_EQ(Base64Decode(hex("FF80 00FE")), hex("000000"));
    EXPECT_EQ(Base64Decode("===="), QByteArray());
    EXPECT_EQ(Base64Decode("=QUJ"), hex("0105")); // the pad counts as zero in its group
}

TEST(MimeDecode, IsoWordBecomesJisFollowedByRomanEscape)
{
    EXPECT_EQ(MimeDecode("Re: " + jisWord(u"件名"_s) + " end"), "Re: " + jis(u"件名"_s) + kLeave + " end");
}

TEST(MimeDecode, PrefixInAnyLetterCase)
{
    EXPECT_EQ(MimeDecode(jisWord(u"件名"_s, "=?iso-2022-jp?b?")), jis(u"件名"_s) + kLeave);
    EXPECT_EQ(MimeDecode(jisWord(u"件名"_s, "=?Iso-2022-Jp?b?")), jis(u"件名"_s) + kLeave);
}

TEST(MimeDecode, QWordsAndOtherCharsetsStayLiteral)
{
    const QByteArray q = "=?ISO-2022-JP?Q?=1B$B7oL>=1B(B?=";
    EXPECT_EQ(MimeDecode(q), q);
    const QByteArray utf8 = "=?UTF-8?B?5Lu25ZCN?=";
    EXPECT_EQ(MimeDecode(utf8), utf8);
    const QByteArray jp2 = "=?ISO-2022-JP-2?B?GyRCN29MPhsoQg==?=";
    EXPECT_EQ(MimeDecode(jp2), jp2);
}

TEST(MimeDecode, WhiteSpaceBetweenAdjacentWordsStays)
{
    EXPECT_EQ(MimeDecode(jisWord(u"日本"_s) + " " + jisWord(u"語"_s)),
        jis(u"日本"_s) + kLeave + " " + jis(u"語"_s) + kLeave);
    EXPECT_EQ(
        MimeDecode(jisWord(u"日本"_s) + jisWord(u"語"_s)), jis(u"日本"_s) + kLeave + jis(u"語"_s) + kLeave);
}

TEST(MimeDecode, UnterminatedWordLosesOnlyItsPrefix)
{
    EXPECT_EQ(MimeDecode("a =?ISO-2022-JP?B?GyRCN29MPhsoQg== b"), QByteArray("a GyRCN29MPhsoQg== b"));
    EXPECT_EQ(MimeDecode("=?ISO-2022-JP?B?=?ISO-2022-JP?B?"), QByteArray());
    EXPECT_EQ(MimeDecode("x=?ISO-2022-JP?B"), QByteArray("x=?ISO-2022-JP?B"));
}

TEST(MimeDecode, DecodedTextIsNotDecodedAgain)
{
    const QByteArray inner = "=?ISO-2022-JP?B?QQ==?=";
    EXPECT_EQ(MimeDecode("=?ISO-2022-JP?B?" + inner.toBase64() + "?="), inner + kLeave);
}

} // namespace
} // namespace vesk
