#include "platform/gui/DesktopNotifier.h"
#include "support/PrivateBus.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// The notifier against a stand-in notification service on a bus of the test's own.
class DesktopNotifierTest : public ::testing::Test
{
protected:
    PrivateBus m_bus;
};

TEST_F(DesktopNotifierTest, ShowsNotificationsAndReportsClicksOnItsOwn)
{
    ASSERT_FALSE(m_bus.address().isEmpty());
    ASSERT_TRUE(m_bus.startService("platform/gui/notification_service.py"));
    DesktopNotifier notifier("vesk", m_bus.connection());
    int clicks = 0;
    QObject::connect(&notifier, &DesktopNotifier::clicked, [&clicks] { ++clicks; });
    ASSERT_TRUE(notifier.isAvailable());

    EXPECT_TRUE(notifier.notify("新着メール", "3 通届いています"));
    const QJsonObject first = m_bus.nextCall();
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
    EXPECT_EQ(m_bus.nextCall()["replaces_id"].toInt(), first["id"].toInt());
}

TEST_F(DesktopNotifierTest, QuietlyUnavailableWithoutTheService)
{
    ASSERT_FALSE(m_bus.address().isEmpty());
    DesktopNotifier notifier("vesk", m_bus.connection());
    EXPECT_FALSE(notifier.isAvailable());
    EXPECT_FALSE(notifier.notify("新着メール", ""));

    DesktopNotifier noBus("vesk", QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "no-bus"));
    EXPECT_FALSE(noBus.isAvailable());
    QDBusConnection::disconnectFromBus("no-bus");
}

} // namespace
} // namespace vesk::test
