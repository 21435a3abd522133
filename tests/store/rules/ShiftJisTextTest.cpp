#include "store/rules/ShiftJisText.h"
#include "store/japanese/Iconv.h"
#include "store/rules/DistributionRule.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using shiftjis::contains;
using shiftjis::toUpper;

bool ruleMatches(const QString &rule, QByteArrayView text, QByteArrayView mailer = {})
{
    return DistributionRule(rule).matches(toUpper(text), toUpper(mailer));
}

TEST(ShiftJisText, UpperCaseOnlyAsciiLettersThatAreCharactersOfTheirOwn)
{
    EXPECT_EQ(toUpper("Taro yamada <a@b>"), "TARO YAMADA <A@B>");
    // 0x83 0x61 is "ヂ": upper-casing its trail byte would make it "ア" (0x83 0x41).
    EXPECT_EQ(toUpper("\x83\x61z"), "\x83\x61Z");
    // Half-width katakana are single bytes; a lead byte cut off at the end is one character.
    EXPECT_EQ(toUpper("\xb1\xb2x"), "\xb1\xb2X");
    EXPECT_EQ(toUpper("a\x83"), "A\x83");
}

TEST(ShiftJisText, MatchesOnlyOnCharacterBoundaries)
{
    const struct
    {
        QByteArray text, needle;
        bool found;
    } rows[] = {
        { "ABC", "BC", true },
        { "ABC", "BD", false },
        { "", "A", false },
        { "A", "", false },
        // "ア" is 0x83 0x41: the "A" inside it is not a letter A.
        { "\x83\x41", "A", false },
        { "\x83\x41"
          "A",
            "A", true },
        // "亜唖" is 88 9F 88 A0; "汕" (9F 88) is in its bytes across the two.
        { "\x88\x9f\x88\xa0", "\x9f\x88", false },
        { "\x88\x9f\x88\xa0\x9f\x88", "\x9f\x88", true },
        { "\xb1\x9f\x88", "\x9f\x88", true },
        // A needle ending in a lead byte would take half of the next character.
        { "A\x83\x41", "A\x83", false },
    };
    for (const auto &[text, needle, found] : rows)
        EXPECT_EQ(contains(text, needle), found)
            << text.toHex().constData() << " " << needle.toHex().constData();
}

TEST(ShiftJisText, RulesAreTypedAsUnicodeAndTakenThroughTheCp932Table)
{
    EXPECT_EQ(shiftjis::fromUnicode(QStringLiteral("山田")), "\x8e\x52\x93\x63");
    // The wave dash as a Linux input method types it is CP932's 0x8160.
    EXPECT_EQ(shiftjis::fromUnicode(QStringLiteral("〜")), "\x81\x60");
    EXPECT_EQ(shiftjis::fromUnicode(QStringLiteral("a😀")), std::nullopt);
    EXPECT_FALSE(ruleMatches(QStringLiteral("taro😀"), "taro"));
    // Full-width letters are characters of their own, not upper-cased.
    EXPECT_FALSE(ruleMatches(QStringLiteral("ａ"), "\x82\x60"));
    EXPECT_TRUE(ruleMatches(QStringLiteral("Ａ"), "\x82\x60"));
}

TEST(DistributionRuleTest, FormsOfRules)
{
    EXPECT_TRUE(ruleMatches(QStringLiteral("  Yamada \t"), "taro yamada"));
    EXPECT_FALSE(ruleMatches(QStringLiteral("ア"), "\x83\x61")); // case folding never makes "ア" of "ヂ"
    EXPECT_TRUE(ruleMatches(QStringLiteral("x-winbiff"), "taro", "WinBiff [Version 2.51]"));
    EXPECT_TRUE(ruleMatches(QStringLiteral("X-Foo"), "from x-foo list", ""));
    EXPECT_FALSE(ruleMatches(QStringLiteral("X-"), "taro", "any mailer"));
    EXPECT_FALSE(ruleMatches(QStringLiteral("winbiff"), "taro", "WinBiff"));
    EXPECT_FALSE(ruleMatches(QString(), "taro"));
    EXPECT_TRUE(DistributionRule(QStringLiteral(" * ")).isCatchAll());
    EXPECT_FALSE(DistributionRule(QStringLiteral(" * ")).matches("*", "*"));
    EXPECT_FALSE(DistributionRule(QStringLiteral("**")).isCatchAll());
}

} // namespace
} // namespace vesk
