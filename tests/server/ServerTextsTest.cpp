#include "server/ServerCommand.h"
#include "server/ServerTexts.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(ServerTexts, StampIdPacksDateAndTimeInUpperCaseHex)
{
    // (2026-1980)*512 + 12*32 + 6 = 0x5D86; 8*2048 + 0*32 + 0/2 = 0x4000.
    EXPECT_EQ(StampId(QDateTime(QDate(2026, 12, 6), QTime(8, 0, 0))), "5D864000");
    // Seconds count in twos; no leading zeros.
    EXPECT_EQ(StampId(QDateTime(QDate(1980, 1, 1), QTime(0, 0, 59))), "21001D");
    EXPECT_EQ(StampId(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58))), "5D86BF7D");
}

TEST(ServerTexts, DateTextUsesEnglishNamesAndTwoDigitFields)
{
    EXPECT_EQ(DateText(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 9))), "Sun, 06 Dec 2026 08:05:09");
    EXPECT_EQ(DateText(QDateTime(QDate(2027, 1, 2), QTime(23, 0, 0))), "Sat, 02 Jan 2027 23:00:00");
}

TEST(ServerTexts, ZoneTextRoundsMinutesToHalfHours)
{
    EXPECT_EQ(ZoneText(9 * 3600), "+0900");
    EXPECT_EQ(ZoneText(0), "+0000");
    EXPECT_EQ(ZoneText(-5 * 3600), "-0500");
    EXPECT_EQ(ZoneText(5 * 3600 + 30 * 60), "+0530");
    EXPECT_EQ(ZoneText(5 * 3600 + 45 * 60), "+0600"); // 45-59 raise the hour
    EXPECT_EQ(ZoneText(5 * 3600 + 14 * 60), "+0500");
    EXPECT_EQ(ZoneText(5 * 3600 + 15 * 60), "+0530");
    EXPECT_EQ(ZoneText(-(3 * 3600 + 30 * 60)), "-0330");
}

TEST(ServerTexts, TraceTextNamesHostVersionAndId)
{
    EXPECT_EQ(TraceText("pc1", "2.81", "5D864000", "Sun, 06 Dec 2026 08:00:00", "+0900"),
        "pc1 (Vesk 2.81) with SMTP id 5D864000; Sun, 06 Dec 2026 08:00:00 +0900");
}

TEST(ServerTexts, UserCheckTakesBareNameOrFullAddress)
{
    EXPECT_TRUE(UserCheck("taro", "taro"));
    EXPECT_TRUE(UserCheck("taro@example.jp", "taro"));
    EXPECT_TRUE(UserCheck("taro", "taro@example.jp"));
    EXPECT_TRUE(UserCheck("taro@other.jp", "taro@example.jp"));
    EXPECT_FALSE(UserCheck("jiro", "taro"));
    EXPECT_FALSE(UserCheck("Taro", "taro"));
    EXPECT_FALSE(UserCheck("", "taro"));
}

TEST(ServerCommandTable, EighteenCommandsInTableOrderAnyCase)
{
    EXPECT_EQ(lookupServerCommand("APOP"), ServerCommand::APOP);
    EXPECT_EQ(int(lookupServerCommand("uidl")), 12);
    EXPECT_EQ(int(lookupServerCommand("Helo")), 13);
    EXPECT_EQ(int(lookupServerCommand("vrfy")), 18);
    EXPECT_EQ(lookupServerCommand("EHLO"), ServerCommand::Unknown);
    EXPECT_EQ(lookupServerCommand("STATS"), ServerCommand::Unknown);
    EXPECT_EQ(lookupServerCommand(""), ServerCommand::Unknown);
}

TEST(ServerCommandTable, ArgumentWordsAreSplitAtSingleSpaces)
{
    const CommandLine line = CommandLine::split("TOP 1  5");
    EXPECT_EQ(line.command, "TOP");
    EXPECT_EQ(line.argument, "1  5");
    EXPECT_EQ(line.word(1), "1");
    EXPECT_EQ(line.word(2), "");
    EXPECT_EQ(line.word(3), "5");
    EXPECT_EQ(line.word(4), "");
    EXPECT_EQ(CommandLine::split("NOOP").argument, "");
    EXPECT_EQ(CommandLine::split("USER a b").argument, "a b");
}

} // namespace
} // namespace vesk::test
