#include "display/DisplayState.h"
#include "display/StripRules.h"
#include "support/FakeClock.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

using L = StripLayout;
using M = DisplayState::Mode;

StripState with(bool plan, bool dial, bool animation, bool calendar)
{
    StripState s;
    s.planAlert = plan;
    s.dialPanelShown = dial;
    s.animationRunning = animation;
    s.calendarOpen = calendar;
    return s;
}

} // namespace

// The layout table: the first state that holds decides; a mode it does not
// name keeps the layout, mode 6 then only adjusts the width.
TEST(StripRules, LayoutFollowsTheFirstStateThatHolds)
{
    const struct {
        StripState state;
        int mode;
        std::optional<L> layout;
        bool widthOnly;
    } rows[] = {
        { with(false, false, false, false), M::Normal, L::Normal, false },
        { with(false, false, false, false), M::MailOn, L::MailOn, false },
        { with(false, false, false, false), M::LineUp, std::nullopt, true },
        { with(false, false, false, false), M::NonMail, std::nullopt, false },
        { with(false, false, false, false), M::DialPanel, L::DialUp, false },
        { with(false, false, true, false), M::Normal, L::MailOn, false },
        { with(false, false, true, false), M::PlanAlert, L::Plan, false },
        { with(false, false, false, true), M::Normal, L::Calendar, false },
        { with(false, false, false, true), M::Calendar, L::Calendar, false },
        { with(false, true, false, false), M::Normal, L::DialUp, false },
        { with(false, true, false, false), M::Calendar, L::Calendar, false },
        { with(false, true, false, false), M::LineUp, std::nullopt, false },
        // A plan alert outranks the animation and the calendar.
        { with(true, false, true, true), M::Normal, L::Plan, false },
        { with(true, true, true, true), M::MailOn, L::MailOn, false },
        { with(true, false, false, false), M::DialPanel, L::DialUp, false },
    };
    for (const auto &row : rows) {
        const strip::LayoutChoice choice = strip::chooseLayout(row.state, row.mode);
        EXPECT_EQ(choice.layout, row.layout) << "mode " << row.mode;
        EXPECT_EQ(choice.widthOnly, row.widthOnly) << "mode " << row.mode;
    }
}

TEST(StripRules, OkButtonHiddenModeAndTopmost)
{
    StripState s;
    EXPECT_FALSE(strip::okButton(s).visible());
    s.connected = true;
    EXPECT_EQ(strip::okButton(s).text, "OFF");
    s.planAlert = true;
    EXPECT_EQ(strip::okButton(s).text, "Saw");
    EXPECT_EQ(strip::okButton(s).hint, "スケジュール表示を閉じます");

    // Hidden mode: only a layout with more than the title, or the OK button, shows.
    StripState hidden;
    hidden.hiddenMode = true;
    EXPECT_FALSE(strip::visible(hidden, L::Normal));
    EXPECT_TRUE(strip::visible(hidden, L::MailOn));
    hidden.planAlert = true;
    EXPECT_TRUE(strip::visible(hidden, L::Plan));
    EXPECT_TRUE(strip::visible(StripState {}, L::Normal));

    StripState calendar;
    calendar.calBack = calendar.calendarOpen = true;
    EXPECT_FALSE(strip::topmost(calendar));
    calendar.connected = true;
    EXPECT_TRUE(strip::topmost(calendar));
}

TEST(StripRules, TopCentreHalvesTowardZero)
{
    EXPECT_EQ(strip::centredLeft(1024, 201), 411);
    EXPECT_EQ(strip::centredLeft(100, 101), 0);
}

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
             DisplayState::Normal, DisplayState::MailOn }) {
        display.dispSet(mode);
        texts << display.statusText();
    }
    // New mail shows the clock, in the mail colour.
    EXPECT_EQ(texts, (QStringList { "Non Mail", "ConnectNG", "How now", "12/6 日 21:00", "12/6 日 21:00" }));
}

} // namespace vesk::test
