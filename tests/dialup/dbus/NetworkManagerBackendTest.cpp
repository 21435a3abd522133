#include "dialup/dbus/NetworkManagerBackend.h"
#include "dialup/TDialUp.h"
#include "dialup/dbus/LogindPowerOff.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// The real backend's calls and signal handling against a stand-in
// NetworkManager on a bus of the test's own.
class NetworkManagerBackendTest : public ::testing::Test
{
protected:
    bool startService(const QStringList &flags = {})
    {
        return m_bus.startService("dialup/dbus/nm_service.py", flags);
    }

    PrivateBus m_bus;
};

const ActiveConnection *find(const QList<ActiveConnection> &list, const QString &entry)
{
    for (const ActiveConnection &c : list) {
        if (c.entryName == entry)
            return &c;
    }
    return nullptr;
}

TEST_F(NetworkManagerBackendTest, ProfilesAreEntriesActivatingDialsAndDeactivatingHangsUp)
{
    ASSERT_FALSE(m_bus.address().isEmpty());
    ASSERT_TRUE(startService());
    NetworkManagerBackend backend(QtEventPump::instance(), m_bus.connection());
    ASSERT_TRUE(backend.available());
    TDialUp dial(QtTimerFactory::instance(), QtEventPump::instance());
    dial.setBackend(&backend);

    EXPECT_EQ(dial.GetEntries(), 0);
    EXPECT_EQ(dial.Entries(), QStringList({ "MyISP", "Busy ISP", "Office LAN" }));

    // The LAN is up: no dial-up line, but a connection with its speed.
    const QList<ActiveConnection> before = dial.GetActiveConnections();
    ASSERT_EQ(before.size(), 1);
    EXPECT_EQ(before[0].entryName, "Office LAN");
    EXPECT_EQ(before[0].state, 8192);
    EXPECT_EQ(before[0].deviceName, "eth0");
    EXPECT_FALSE(before[0].pointToPoint);
    dial.GetStats(before[0].handle);
    EXPECT_EQ(dial.ConnectionSpeed, 100000000);
    EXPECT_EQ(dial.BytesRecv, 34000);

    std::vector<std::pair<int, int>> events;
    dial.OnAsyncEvent = [&](int state, int error, const QString &) { events.emplace_back(state, error); };
    dial.setEntry("MyISP");
    ASSERT_EQ(dial.Dial(), 0);
    const QJsonObject activate = m_bus.nextCall();
    EXPECT_EQ(activate["call"].toString(), "ActivateConnection");
    EXPECT_EQ(activate["connection"].toString(), "/org/freedesktop/NetworkManager/Settings/1");
    EXPECT_EQ(activate["device"].toString(), "/");
    ASSERT_TRUE(waitFor([&] { return !events.empty() && events.back().first == 8192; }));
    EXPECT_EQ(
        events, (std::vector<std::pair<int, int>> { { 2, 0 }, { 4, 0 }, { 5, 0 }, { 14, 0 }, { 8192, 0 } }));
    const QList<ActiveConnection> connections = dial.GetActiveConnections();
    const ActiveConnection *line = find(connections, "MyISP");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->handle, dial.ownHandle());
    EXPECT_EQ(line->state, 8192);
    EXPECT_EQ(line->deviceName, "ttyUSB0");
    EXPECT_TRUE(line->pointToPoint);

    EXPECT_EQ(dial.HangUpOwn(), 0);
    EXPECT_EQ(m_bus.nextCall()["call"].toString(), "DeactivateConnection");
    EXPECT_EQ(find(dial.GetActiveConnections(), "MyISP"), nullptr);
    EXPECT_TRUE(dial.ownHandle().isEmpty());

    // A busy line fails with its error; an unknown entry does not start.
    events.clear();
    dial.setEntry("Busy ISP");
    ASSERT_EQ(dial.Dial(), 0);
    ASSERT_TRUE(waitFor([&] { return !events.empty() && events.back().second != 0; }));
    EXPECT_EQ(events.back().second, 676);
    int error = 0;
    dial.OnError = [&](int code, const QString &) { error = code; };
    dial.setEntry("Nope");
    EXPECT_EQ(dial.Dial(), 623);
    EXPECT_EQ(error, 623);
}

TEST_F(NetworkManagerBackendTest, WithoutNetworkManagerNothingCanBeDialled)
{
    ASSERT_FALSE(m_bus.address().isEmpty());
    NetworkManagerBackend backend(QtEventPump::instance(), m_bus.connection());
    EXPECT_FALSE(backend.available());
    QString handle;
    EXPECT_EQ(backend.dial("MyISP", &handle), 711);
    EXPECT_TRUE(backend.activeConnections().isEmpty());

    NetworkManagerBackend noBus(
        QtEventPump::instance(), QDBusConnection::connectToBus("unix:path=/nonexistent", "no-bus"));
    EXPECT_FALSE(noBus.available());
    QDBusConnection::disconnectFromBus("no-bus");
}

TEST_F(NetworkManagerBackendTest, PowerOffAsksLogindThenTheCommand)
{
    ASSERT_FALSE(m_bus.address().isEmpty());
    ASSERT_TRUE(startService({ "--logind" }));
    QString reason;
    LogindPowerOff logind(QtEventPump::instance(), m_bus.connection(), { "false" });
    EXPECT_TRUE(logind.powerOff(&reason));
    const QJsonObject call = m_bus.nextCall();
    EXPECT_EQ(call["call"].toString(), "PowerOff");
    EXPECT_TRUE(call["interactive"].toBool());

    // No logind on this bus: the command decides.
    const QDBusConnection none = QDBusConnection::connectToBus("unix:path=/nonexistent", "no-logind");
    LogindPowerOff works(QtEventPump::instance(), none, { "true" });
    EXPECT_TRUE(works.powerOff(&reason));
    LogindPowerOff missing(QtEventPump::instance(), none, { "/nonexistent/systemctl", "poweroff" });
    EXPECT_FALSE(missing.powerOff(&reason));
    EXPECT_TRUE(reason.contains("/nonexistent/systemctl"));
    QDBusConnection::disconnectFromBus("no-logind");
}

} // namespace
} // namespace vesk::test
