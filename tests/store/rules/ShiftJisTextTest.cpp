#include "store/japanese/Iconv.h"
#include "store/rules/DistributionRule.h"
#include "store/rules/ShiftJisText.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using shiftjis::contains;
using shiftjis::toUpper;

QString fromSjis(const char *bytes)
{
    // Rules are typed as Unicode; these are the characters of those bytes.
    Iconv decoder("UTF-8", "CP932");
    QByteArray utf8;
    EXPECT_EQ(decoder.convert(QByteArrayView(bytes), utf8, "?"), 0);
    return QString::fromUtf8(utf8);
}

bool ruleMatches(const QString &rule, QByteArrayView text, QByteArrayView mailer = {})
{
    return DistributionRule(rule).matches(toUpper(text), toUpper(mailer));
}

TEST(ShiftJisUpper, UpperCasesAsciiLettersOnly)
{
    EXPECT_EQ(toUpper("Taro yamada <a@b>"), QByteArray("TARO YAMADA <A@B>"));
    // A trail byte in the range of "a" to "z" belongs to its character:
    // 0x83 0x61 is "ヂ", and upper-casing it would make it "ア" (0x83 0x41).
    EXPECT_EQ(toUpper("\x83\x61z"), QByteArray("\x83\x61Z"));
    // Half-width katakana are single bytes and stay.
    EXPECT_EQ(toUpper("\xb1\xb2x"), QByteArray("\xb1\xb2X"));
    // A lead byte cut off at the end is one character.
    EXPECT_EQ(toUpper("a\x83"), QByteArray("A\x83"));
}

TEST(ShiftJisContains, MatchesOnlyOnCharacterBoundaries)
{
    EXPECT_TRUE(contains("ABC", "BC"));
    EXPECT_FALSE(contains("ABC", "BD"));
    EXPECT_FALSE(contains("", "A"));
    EXPECT_FALSE(contains("A", ""));
    // "ア" is 0x83 0x41: the "A" inside it is not a letter A.
    EXPECT_FALSE(contains("\x83\x41", "A"));
    EXPECT_TRUE(contains("\x83\x41"
                         "A",
        "A"));
    // "亜唖" is 88 9F 88 A0; "汕" (9F 88) is in its bytes across the two.
    EXPECT_FALSE(contains("\x88\x9f\x88\xa0", "\x9f\x88"));
    EXPECT_TRUE(contains("\x88\x9f\x88\xa0\x9f\x88", "\x9f\x88"));
    // The same bytes after a half-width katakana are on a boundary.
    EXPECT_TRUE(contains("\xb1\x9f\x88", "\x9f\x88"));
}

TEST(ShiftJisContains, AMatchMayNotEndInsideACharacter)
{
    // A needle ending in a lead byte would take half of the text's next character.
    EXPECT_FALSE(contains("A\x83\x41", "A\x83"));
}

TEST(ShiftJisFromUnicode, UsesTheCp932TableAndRefusesWhatItLacks)
{
    EXPECT_EQ(shiftjis::fromUnicode(QStringLiteral("山田")), QByteArray("\x8e\x52\x93\x63"));
    // The wave dash as a Linux input method types it is CP932's 0x8160.
    EXPECT_EQ(shiftjis::fromUnicode(QStringLiteral("〜")), QByteArray("\x81\x60"));
    EXPECT_EQ(shiftjis::fromUnicode(QStringLiteral("ｱ")), QByteArray("\xb1"));
    EXPECT_EQ(shiftjis::fromUnicode(QStringLiteral("a😀")), std::nullopt);
}

TEST(DistributionRuleTest, RuleBytesAcrossTwoJapaneseCharactersDoNotMatch)
{
    EXPECT_FALSE(ruleMatches(fromSjis("\x9f\x88"), "\x88\x9f\x88\xa0"));
    EXPECT_FALSE(ruleMatches(QStringLiteral("Aア"), "\x83\x41\x83\x41"));
    EXPECT_TRUE(ruleMatches(QStringLiteral("Aア"),
        "\x83\x41"
        "A\x83\x41"));
    // Case folding never turns "ヂ" into "ア".
    EXPECT_FALSE(ruleMatches(QStringLiteral("ア"), "\x83\x61"));
    EXPECT_FALSE(ruleMatches(QStringLiteral("a"), "\x83\x61"));
}

TEST(DistributionRuleTest, FormsOfRules)
{
    EXPECT_TRUE(ruleMatches(QStringLiteral("yamada"), "Taro YAMADA"));
    EXPECT_TRUE(ruleMatches(QStringLiteral("  Yamada \t"), "taro yamada"));
    // Full-width letters are characters of their own, not upper-cased.
    EXPECT_FALSE(ruleMatches(QStringLiteral("ａ"), "\x82\x60"));
    EXPECT_TRUE(ruleMatches(QStringLiteral("Ａ"), "\x82\x60"));

    EXPECT_TRUE(ruleMatches(QStringLiteral("x-winbiff"), "taro", "WinBiff [Version 2.51]"));
    EXPECT_TRUE(ruleMatches(QStringLiteral("X-Foo"), "from x-foo list", ""));
    EXPECT_FALSE(ruleMatches(QStringLiteral("X-"), "taro", "any mailer"));
    EXPECT_FALSE(ruleMatches(QStringLiteral("winbiff"), "taro", "WinBiff"));

    const DistributionRule catchAll(QStringLiteral(" * "));
    EXPECT_TRUE(catchAll.isCatchAll());
    EXPECT_FALSE(catchAll.matches("*", "*"));
    EXPECT_FALSE(DistributionRule(QStringLiteral("**")).isCatchAll());

    EXPECT_FALSE(ruleMatches(QString(), "taro"));
    EXPECT_FALSE(ruleMatches(QStringLiteral("taro😀"), "taro"));
}

} // namespace
} // namespace vesk
