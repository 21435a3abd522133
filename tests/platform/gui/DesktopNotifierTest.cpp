#include "platform/gui/DesktopNotifier.h"
#include "support/TestPaths.h"
#include "support/WaitFor.h"

#include <QDBusConnection>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// A message bus of the test's own, so that no desktop's service answers.
class PrivateBus
{
public:
    PrivateBus()
    {
        const QString config = m_dir.filePath("bus.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        // Python's D-Bus binding needs the eavesdrop rules to get through its
        // handshake.
        file.write(
            QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                           "<auth>EXTERNAL</auth><policy context=\"default\">"
                           "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                           "<allow own=\"*\"/></policy></busconfig>")
                .arg(m_dir.path())
                .toUtf8());
        file.close();
        m_daemon.start("dbus-daemon", { "--config-file=" + config, "--nofork", "--print-address" });
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }
    const QString &address() const { return m_address; }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

class DesktopNotifierTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_service.state() != QProcess::NotRunning) {
            m_service.terminate();
            m_service.waitForFinished(5000);
        }
        QDBusConnection::disconnectFromBus("notifier-test");
    }
    QDBusConnection connect() { return QDBusConnection::connectToBus(m_bus.address(), "notifier-test"); }
    bool startService()
    {
        m_service.start(
            systemPython(), { sourceDir() + "/tests/platform/gui/notification_service.py", m_bus.address() });
        return waitFor([this] { return m_service.canReadLine(); }) && m_service.readLine() == "ready\n";
    }
    QJsonObject nextCall()
    {
        if (!waitFor([this] { return m_service.canReadLine(); }))
            return {};
        const QByteArray line = m_service.readLine();
        const QJsonObject call = QJsonDocument::fromJson(line).object();
        EXPECT_FALSE(call.isEmpty()) << line.toStdString();
        return call;
    }

    PrivateBus m_bus;
    QProcess m_service;
};

TEST_F(DesktopNotifierTest, ShowsNotificationsAndReportsClicksOnItsOwn)
{
    ASSERT_FALSE(m_bus.address().isEmpty());
    ASSERT_TRUE(startService());
    DesktopNotifier notifier("vesk", connect());
    int clicks = 0;
    QObject::connect(&notifier, &DesktopNotifier::clicked, [&clicks] { ++clicks; });
    ASSERT_TRUE(notifier.isAvailable());

    EXPECT_TRUE(notifier.notify("新着メール", "3 通届いています"));
    const QJsonObject first = nextCall();
    EXPECT_EQ(first["app_name"].toString(), "Vesk");
    EXPECT_EQ(first["app_icon"].toString(), "vesk");
    EXPECT_EQ(first["summary"].toString(), "新着メール");
    EXPECT_EQ(first["body"].toString(), "3 通届いています");
    EXPECT_EQ(first["replaces_id"].toInt(), 0);
    EXPECT_TRUE(first["actions"].toArray().contains("default"));
    // The service reports a click on another program's notification first.
    ASSERT_TRUE(waitFor([&clicks] { return clicks > 0; }));
    EXPECT_EQ(clicks, 1);

    // The next one takes the place of the one still shown.
    EXPECT_TRUE(notifier.notify("新着メール", "4 通届いています"));
    EXPECT_EQ(nextCall()["replaces_id"].toInt(), first["id"].toInt());
}

TEST_F(DesktopNotifierTest, QuietlyUnavailableWithoutTheService)
{
    ASSERT_FALSE(m_bus.address().isEmpty());
    DesktopNotifier notifier("vesk", connect());
    EXPECT_FALSE(notifier.isAvailable());
    EXPECT_FALSE(notifier.notify("新着メール", ""));

    DesktopNotifier noBus("vesk", QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "no-bus"));
    EXPECT_FALSE(noBus.isAvailable());
    QDBusConnection::disconnectFromBus("no-bus");
}

} // namespace
} // namespace vesk::test
