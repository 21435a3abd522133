#include "ControllerFixture.h"

namespace vesk::test {

TEST_F(ControllerTest, FirstCheckComesFirstDelaySecondsAfterTheStartUpPass)
{
    settings.writeInteger("Config", "FirstDelay", 10);
    Controller &c = make();
    timers.advance(50);
    EXPECT_EQ(c.minuteInterval(), Controller::FirstDelayRhythm);
    timers.advance(10 * 1000 - 1);
    EXPECT_EQ(provider.downloads, 0);
    timers.advance(1);
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_EQ(c.minuteInterval(), Controller::MinuteRhythm);
    // The periodic check only downloads.
    EXPECT_EQ(provider.sends, 0);
}

TEST_F(ControllerTest, NoDelayChecksRightAfterThePass)
{
    make();
    timers.advance(50);
    EXPECT_EQ(provider.downloads, 1);
}

TEST_F(ControllerTest, PeriodicChecksComeEveryRoundTimeMinutes)
{
    settings.writeInteger("Config", "RoundTime", 5);
    make();
    timers.advance(50);
    ASSERT_EQ(provider.downloads, 1);
    timers.advance(4 * 60000);
    EXPECT_EQ(provider.downloads, 1);
    timers.advance(60000);
    EXPECT_EQ(provider.downloads, 2);
    timers.advance(5 * 60000);
    EXPECT_EQ(provider.downloads, 3);
}

TEST_F(ControllerTest, ManualCheckBeforeTheDelayCancelsTheFirstPeriodicCheck)
{
    settings.writeInteger("Config", "FirstDelay", 10);
    settings.writeInteger("Config", "RoundTime", 3);
    Controller &c = make();
    timers.advance(50 + 3000);
    c.checkNow();
    EXPECT_EQ(provider.downloads, 1);
    // The delay phase ends at the next second without a check ...
    timers.advance(1000);
    EXPECT_EQ(c.minuteInterval(), Controller::MinuteRhythm);
    timers.advance(20 * 1000);
    EXPECT_EQ(provider.downloads, 1);
    // ... and the next periodic check comes RoundTime minute ticks later.
    timers.advance(2 * 60000);
    EXPECT_EQ(provider.downloads, 1);
    timers.advance(60000);
    EXPECT_EQ(provider.downloads, 2);
}

TEST_F(ControllerTest, NoPeriodicCheckWithMailCheckingOffOrWithoutAnAccount)
{
    settings.writeInteger("Config", "RoundGo", 0);
    make();
    timers.advance(50 + 60 * 60000);
    EXPECT_EQ(provider.downloads, 0);
}

TEST_F(ControllerTest, WithoutAnAccountTheUserIsToldOnceAndNothingIsFetched)
{
    settings.deleteValue("Config", "Host");
    make();
    timers.advance(50 + 3 * 60 * 60000);
    EXPECT_EQ(provider.downloads, 0);
    EXPECT_EQ(messenger.messages.count("「各種設定」でプロバイダのサーバ名とユーザーIDを設定してください。"), 1);
}

TEST_F(ControllerTest, ARunningSessionBlocksASecondCheck)
{
    settings.writeInteger("Config", "RoundTime", 1);
    make();
    int nested = 0;
    provider.duringDownLoad = [&] {
        // Time passes inside the session; no tick may start another one.
        session.marker = ".";
        timers.advance(5 * 60000);
        nested = provider.downloads;
    };
    timers.advance(50);
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_EQ(nested, 1);
    // An open provider connection refuses a check too.
    provider.duringDownLoad = nullptr;
    provider.active = true;
    controller->checkNow();
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_EQ(session.marker, "x");
}

} // namespace vesk::test
