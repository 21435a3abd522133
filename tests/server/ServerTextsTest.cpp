#include "server/ServerTexts.h"
#include "server/ServerCommand.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(ServerTexts, StampIdPacksDateAndTimeInUpperCaseHexWithoutLeadingZeros)
{
    // (2026-1980)*512 + 12*32 + 6 = 0x5D86; 8*2048 + 0*32 + 0/2 = 0x4000.
    EXPECT_EQ(StampId(QDateTime(QDate(2026, 12, 6), QTime(8, 0, 0))), "5D864000");
    EXPECT_EQ(StampId(QDateTime(QDate(1980, 1, 1), QTime(0, 0, 59))), "21001D");
    EXPECT_EQ(StampId(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 58))), "5D86BF7D");
}

TEST(ServerTexts, ZoneTextRoundsMinutesToHalfHours)
{
    const std::pair<int, const char *> rows[]
        = { { 0, "+0000" }, { -5 * 60, "-0500" }, { 5 * 60 + 30, "+0530" }, { 5 * 60 + 45, "+0600" },
              { 5 * 60 + 14, "+0500" }, { 5 * 60 + 15, "+0530" }, { -(3 * 60 + 30), "-0330" } };
    for (const auto &[minutes, text] : rows)
        EXPECT_EQ(ZoneText(minutes * 60), text) << minutes;
}

TEST(ServerCommandTable, ArgumentWordsAreSplitAtSingleSpaces)
{
    const CommandLine line = CommandLine::split("TOP 1  5");
    EXPECT_EQ(line.argument, "1  5");
    EXPECT_EQ((QByteArrayList { line.command, line.word(1), line.word(2), line.word(3), line.word(4) }),
        (QByteArrayList { "TOP", "1", "", "5", "" }));
}

} // namespace
} // namespace vesk::test
