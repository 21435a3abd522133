#include "FakeDialUpBackend.h"

#include "app/Controller.h"
#include "app/gui/VeskMainForm.h"
#include "dialup/DialPanel.h"
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
#include <QToolButton>

#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace vesk::test {

// The strip in dial-up mode, against the fake connection service: the
// panel while dialling and while connected, the connection time in the
// title, and the OK button's "OFF".
class StripDialUp : public ::testing::Test
{
protected:
    StripDialUp()
    {
        settings.writeInteger("Config", "DialMode", 1);
        settings.writeString("Config", "AP", "MyISP");
        settings.writeInteger("Config", "DialDispOn", 1);
        controller.setDialUp(&backend, nullptr);
    }
    void start()
    {
        controller.start();
        QCoreApplication::sendPostedEvents();
    }
    void picture(const char *name)
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        saveScreenshot(form, QStringLiteral("strip-") + QLatin1String(name));
    }
    QToolButton *okButton()
    {
        for (QToolButton *button : form.findChildren<QToolButton *>()) {
            if (button->text() == "OFF")
                return button;
        }
        return nullptr;
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
    FakeDialUpBackend backend { timers };
    Controller controller { core, settings, atoms, QStringLiteral("vesk") };
    VeskMainForm form { controller };
};

TEST_F(StripDialUp, PanelWhileDiallingAndConnectedThenOffHangsUp)
{
    backend.lines = { FakeDialUpBackend::Line::Busy };
    start();
    timers.advance(50);
    QString whileWaiting;
    pump.eachRound = [&] {
        if (whileWaiting.isEmpty() && controller.dialPanel().status == "Waiting redial 9") {
            whileWaiting = form.dialPanelText();
            picture("dial-redial");
        }
    };
    controller.checkNowKeepLine();
    pump.eachRound = {};
    EXPECT_EQ(whileWaiting, "----\nMyISP\nConnect Error\nWaiting redial 9");

    // The second attempt answered: the minute tick shows the line.
    timers.advance(60000 + 20000);
    EXPECT_EQ(form.okText(), "OFF");
    EXPECT_EQ(form.dialPanelText(), "----\nMyISP\n28.8 Kbps\nTime = 0:00:20");
    picture("dial-connected");

    // A click on the panel puts the connection time in the title.
    controller.dialPanelClicked();
    EXPECT_EQ(form.dialPanelText(), "");
    EXPECT_EQ(form.dateText(), "+ ");
    EXPECT_EQ(form.timeText(), "0:00:20");
    picture("dial-time");

    ASSERT_NE(okButton(), nullptr);
    okButton()->click();
    EXPECT_TRUE(backend.activeConnections().isEmpty());
    EXPECT_EQ(form.okText(), "");
    EXPECT_EQ(form.dateText(), "12/7 月 ");
}

} // namespace vesk::test
