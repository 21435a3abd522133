#include "app/display/DisplayState.h"
#include "support/FakeClock.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(DisplayState, DateAndClockFollowTheFlagsAndTheEra)
{
    FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(8, 5)));
    DisplayState display(clock);
    display.dispSet(DisplayState::Normal);
    EXPECT_EQ(display.dateLabel() + display.timeLabel(), "12/6 日 8:05");
    display.setFlags(
        { .wareki = true, .seireki = false, .date = true, .week = false, .time = false, .close = true });
    display.dispSet(DisplayState::Normal);
    EXPECT_EQ(display.dateLabel() + display.timeLabel(), "R8 12/6 ");
    EXPECT_EQ(display.rememberedDate(), "2026/12/06");
    EXPECT_EQ(DisplayState::eraText(QDate(2019, 4, 30)) + DisplayState::eraText(QDate(2019, 5, 1)), "H31R1");
    EXPECT_FALSE(display.hiddenMode());
    display.setFlags({ false, false, false, false, false, false });
    EXPECT_TRUE(display.hiddenMode());
}

TEST(DisplayState, ResultModesShowTheirTextAndNormalBringsTheClockBack)
{
    FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(21, 0)));
    DisplayState display(clock);
    QStringList texts;
    for (auto mode : { DisplayState::NonMail, DisplayState::ConnectNG, DisplayState::HowNow,
             DisplayState::MailOn, DisplayState::Normal }) {
        display.dispSet(mode);
        texts << display.statusText();
    }
    EXPECT_EQ(texts, (QStringList { "Non Mail", "ConnectNG", "How now", "< Mail ON >", "12/6 日 21:00" }));
}

} // namespace vesk::test
