#include "app/Controller.h"
#include "app/EngineSettings.h"
#include "app/ProviderSessionLink.h"
#include "app/gui/SettingsDialogLink.h"
#include "extras/monitor/gui/DebugForm.h"
#include "extras/settings/gui/SettingForm.h"
#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/GlobalAtoms.h"
#include "platform/Timer.h"
#include "server/LocalMailServer.h"
#include "session/ProviderSession.h"
#include "store/MessageStore.h"
#include "support/DovecotPeer.h"
#include "support/FreePort.h"
#include "support/MemorySettingsStore.h"
#include "support/NoDialUpEntries.h"
#include "support/RecordingMessenger.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// The settings dialog's "&Check(&K)" with the monitor open, through the real
// controller and provider session, against the test provider.
class SettingsConnectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(pop.start(&error)) << error.toStdString();
        ASSERT_TRUE(pop.addMessage("From: hanako@example.jp\r\nSubject: test\r\n\r\nbody\r\n"));
        // Loaded without an account, as on a fresh machine.
        settings.writeInteger("Config", "MailRound", 1);
        settings.writeInteger("Config", "ServerON", 1);
        settings.writeInteger("Config", "POP3_ServerVesk", pop.port());
        settings.writeInteger("Config", "POP3_VeskMailer1", mailerPort);
        settings.writeInteger("Config", "SMTP_VeskMailer1", freePort());

        QObject::connect(&controller, &Controller::settingsChanged, [this](const Settings &s) {
            provider.setConfig(sessionConfigFrom(s));
            servers.setConfig(serverConfigFrom(s));
        });
        QObject::connect(&controller, &Controller::providerSettingsChanged,
            [this](const Settings &s) { provider.setConfig(sessionConfigFrom(s)); });
        QObject::connect(&controller.strip(), &StripController::markerChanged, [this](const QString &marker) {
            if (marker == QLatin1String(".") && monitorWindow)
                statusWhileRunning << monitorWindow->statusText();
        });
        controller.setProvider(&providerLink);
        controller.setLocalServers(&serversLink);
        controller.start();

        monitorWindow = new TDebugForm(monitor, settings, messenger, SystemClock::instance(), dir.path());
        monitorWindow->show();
        form = new TSettingForm(settings, messenger, dialUp, link, dir.path() + '/');
        form->show();
    }

    void TearDown() override
    {
        delete form;
        delete monitorWindow;
    }

    void type(const char *field, const QString &text) { form->findChild<QLineEdit *>(field)->setText(text); }
    void check()
    {
        type("edtHost", "127.0.0.1");
        type("edtUserID", pop.user());
        form->findChild<QPushButton *>("btnCheck")->click();
    }
    QString shown() const { return monitorWindow->log().lines().join('\n'); }
    bool mailerPortServes() const
    {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), mailerPort);
        return socket.waitForConnected(3000);
    }

    DovecotPeer pop;
    QTemporaryDir dir;
    quint16 mailerPort = freePort();
    RecordingMessenger messenger;
    MemorySettingsStore settings;
    MessageStore store { dir.path() };
    FileAtoms atoms { dir.path() + "/run" };
    SessionState session;
    ProtocolMonitor monitor;
    CoreServices core { SystemClock::instance(), QtTimerFactory::instance(), QtEventPump::instance(),
        messenger, store, session, monitor };
    Controller controller { core, settings, atoms, QStringLiteral("vesk-test") };
    ProviderSession provider { core, controller.mailHost(), controller.mailView() };
    LocalMailServer servers { core, controller.mailHost(), controller.mailView() };
    ProviderSessionLink providerLink { provider };
    LocalServersLink serversLink { servers };
    NoDialUpEntries dialUp;
    QPointer<TDebugForm> monitorWindow;
    SettingsDialogLink link { controller, monitor,
        { [this] { return monitorWindow.data(); }, [] {}, [](const QString &, SoundEvent) {}, [] {}, {}, {} } };
    QPointer<TSettingForm> form;
    QStringList statusWhileRunning;
};

TEST_F(SettingsConnectionTest, AWrongPasswordFailsAndTheRightOneLogsInAndLeavesTheMailThere)
{
    type("edtPassword", "wrong");
    check();
    QString lines = shown();
    EXPECT_TRUE(lines.contains("VeskTalk< Failed ! >")) << lines.toStdString();
    EXPECT_TRUE(lines.endsWith("VeskTalk< Check NG ! >")) << lines.toStdString();
    EXPECT_EQ(controller.strip().marker(), "x");
    EXPECT_TRUE(form->findChild<QPushButton *>("btnOK")->isEnabled());

    monitorWindow->btnClearClick();
    statusWhileRunning.clear();
    type("edtPassword", pop.password());
    check();
    EXPECT_EQ(statusWhileRunning.value(0), "TEST");
    EXPECT_EQ(monitorWindow->statusText(), "");
    lines = shown();
    EXPECT_TRUE(lines.contains("<PASS " + QString(pop.password().size(), '*'))) << lines.toStdString();
    EXPECT_TRUE(lines.contains("<QUIT"));
    EXPECT_FALSE(lines.contains("RETR"));
    EXPECT_FALSE(lines.contains("Check NG"));
    EXPECT_EQ(controller.strip().marker(), "");
    EXPECT_EQ(pop.messageCount(), 1);
    // The loaded settings apply again, and the mailers are served again.
    EXPECT_EQ(controller.settings().Host, "");
    EXPECT_TRUE(controller.settings().ServerON);
    EXPECT_EQ(provider.config().Host, "");
    EXPECT_TRUE(mailerPortServes());
}

} // namespace
} // namespace vesk::test
