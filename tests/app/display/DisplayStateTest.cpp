#include "app/display/DisplayState.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(DisplayState, DateAndClockFollowTheFlags)
{
    FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(8, 5)));
    DisplayState display(clock);
    display.dispSet(DisplayState::Normal);
    EXPECT_EQ(display.dateLabel(), "12/6 日 ");
    EXPECT_EQ(display.timeLabel(), "8:05");

    display.setFlags({.wareki = true, .seireki = false, .date = true, .week = false, .time = false, .close = true});
    display.dispSet(DisplayState::Normal);
    EXPECT_EQ(display.dateLabel(), "R8 12/6 ");
    EXPECT_EQ(display.timeLabel(), "");
    EXPECT_EQ(display.rememberedDate(), "2026/12/06");
}

TEST(DisplayState, EraFollowsTheDate)
{
    EXPECT_EQ(DisplayState::eraText(QDate(2019, 4, 30)), "H31");
    EXPECT_EQ(DisplayState::eraText(QDate(2019, 5, 1)), "R1");
    EXPECT_EQ(DisplayState::eraText(QDate(1995, 1, 1)), "H7");
}

TEST(DisplayState, ResultModesShowTheirTextAndNormalBringsTheClockBack)
{
    FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(21, 0)));
    DisplayState display(clock);
    display.dispSet(DisplayState::NonMail);
    EXPECT_EQ(display.statusText(), "Non Mail");
    display.dispSet(DisplayState::ConnectNG);
    EXPECT_EQ(display.dateLabel(), "ConnectNG");
    EXPECT_EQ(display.timeLabel(), "");
    display.dispSet(DisplayState::HowNow);
    EXPECT_EQ(display.statusText(), "How now");
    display.dispSet(DisplayState::MailOn);
    EXPECT_EQ(display.statusText(), "< Mail ON >");
    display.dispSet(DisplayState::Normal);
    EXPECT_EQ(display.statusText(), "12/6 日 21:00");
}

TEST(DisplayState, HiddenWhenNothingIsShown)
{
    FakeClock clock;
    DisplayState display(clock);
    EXPECT_FALSE(display.hiddenMode());
    display.setFlags({false, false, false, false, false, false});
    EXPECT_TRUE(display.hiddenMode());
}

} // namespace vesk::test
