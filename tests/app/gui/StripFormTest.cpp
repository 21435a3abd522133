#include "app/Controller.h"
#include "app/gui/VeskMainForm.h"
#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"
#include "settings/MemorySettingsStore.h"
#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingMessenger.h"
#include "support/Screenshot.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// The strip drawn offscreen from a controller with fake time: what each
// main state shows, with a picture of each for a person to look at.
class StripForm : public ::testing::Test
{
protected:
    StripForm()
    {
        settings.writeString("Config", "Host", "pop.example.jp");
        settings.writeString("Config", "UserID", "taro");
        settings.writeInteger("Config", "MailRound", 1);
        settings.writeInteger("Config", "ServerON", 1);
        controller.start();
        QCoreApplication::sendPostedEvents();
    }

    void picture(const char *name)
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        saveScreenshot(form, QStringLiteral("strip-") + QLatin1String(name));
    }

    QTemporaryDir dir;
    FakeClock clock { QDateTime(QDate(2026, 12, 7), QTime(8, 5)) };
    FakeTimerFactory timers { &clock };
    FakeEventPump pump { &timers };
    RecordingMessenger messenger;
    MemorySettingsStore settings;
    MessageStore store { dir.path(), clock };
    FileAtoms atoms { dir.path() + "/run" };
    SessionState session;
    ProtocolMonitor monitor;
    CoreServices core { clock, timers, pump, messenger, store, session, monitor };
    Controller controller { core, settings, atoms, QStringLiteral("vesk") };
    VeskMainForm form { controller };
};

TEST_F(StripForm, MainStatesShowTheirTextsButtonsAndLayout)
{
    EXPECT_EQ(form.dateText(), "12/7 月 ");
    EXPECT_EQ(form.timeText(), "8:05");
    EXPECT_TRUE(form.closeButtonShown());
    EXPECT_EQ(form.okText(), "");
    EXPECT_EQ(form.shownLayout(), StripLayout::Normal);
    picture("normal");

    controller.toggleMailIndication();
    EXPECT_EQ(form.shownLayout(), StripLayout::MailOn);
    picture("new-mail");
    controller.toggleMailIndication();

    controller.requestDisplay(DisplayState::NonMail);
    EXPECT_EQ(form.dateText(), "Non Mail");
    picture("non-mail");
    controller.requestDisplay(DisplayState::ConnectNG);
    EXPECT_EQ(form.dateText(), "ConnectNG");
    picture("connect-ng");

    controller.showPlanAlert(QStringLiteral("8:30"), QStringLiteral("会議"));
    EXPECT_EQ(form.dateText(), "< 8:30 = 会議 > ");
    EXPECT_EQ(form.okText(), "Saw");
    EXPECT_EQ(form.markerText(), "");
    picture("plan-alert");
    controller.acknowledgePlanAlert();
    EXPECT_EQ(form.okText(), "");

    controller.toggleDisplayFlag(6);
    EXPECT_FALSE(form.closeButtonShown());
}

} // namespace vesk::test
