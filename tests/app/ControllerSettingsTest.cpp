#include "ControllerFixture.h"

namespace vesk::test {

TEST_F(ControllerTest, WithoutAnAccountTheDialogOpensOnceAndTheProgramRunsOn)
{
    settings.deleteValue("Config", "Host");
    make();
    controller->setSettingsDialogPresent(true);
    int opened = 0;
    QObject::connect(controller.get(), &Controller::windowRequested,
        [&](Controller::Window window) { opened += window == Controller::Window::Settings; });
    m_timers.advance(50);
    EXPECT_EQ(opened, 1);
    m_timers.advance(10 * 50);
    EXPECT_EQ(opened, 1); // the ticks wait while it is open

    // Closed without an account: it does not come straight back.
    controller->settingsDialogClosed();
    m_timers.advance(10 * 50 + 60000);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(controller->minuteInterval(), Controller::MinuteRhythm);
    EXPECT_TRUE(m_messenger.messages.isEmpty());
}

TEST_F(ControllerTest, AConnectionTestNeedsAWholeAccount)
{
    // Nobody asked must not pass for a connection that works.
    EXPECT_FALSE(make().testConnection({ "pop.example.jp", "pop.example.jp", "", "pw", false }));
    EXPECT_EQ(provider.downloads, 0);
}

TEST_F(ControllerTest, AfterEraseAllNothingIsWrittenBack)
{
    Controller &c = make();
    settings.eraseSection("Config");
    settings.eraseSection("Disp");
    c.settingsErased();
    c.savePosition(10, 20);
    c.settingsDialogClosed();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(settings.readSection("Disp").isEmpty());
    EXPECT_TRUE(settings.readSection("Config").isEmpty());
}

} // namespace vesk::test
