#include "platform/gui/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace vesk {
namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// The action a notification server runs when the notification is clicked.
const QString DefaultAction = QStringLiteral("default");
// How long start-up waits for the bus to say whether the service is there.
constexpr int QueryTimeoutMs = 2000;
// Ids remembered as this notifier's own.
constexpr qsizetype MaxShown = 16;

} // namespace

DesktopNotifier::DesktopNotifier(const QString &icon, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_icon(icon)
{
    if (!m_bus.isConnected())
        return;
    m_available = serviceIsThere();
    auto *watcher = new QDBusServiceWatcher(Service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { m_available = true; });
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        // A service that can be started on demand is still there.
        m_available = serviceIsThere();
        m_shown.clear();
    });
    m_bus.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
        SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
        SLOT(onNotificationClosed(uint, uint)));
}

bool DesktopNotifier::serviceIsThere() const
{
    auto ask = [this](const QString &method, const QVariantList &arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
            QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"), method);
        message.setArguments(arguments);
        const QDBusMessage reply = m_bus.call(message, QDBus::Block, QueryTimeoutMs);
        return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
            ? reply.arguments().constFirst()
            : QVariant();
    };
    if (ask(QStringLiteral("NameHasOwner"), { Service }).toBool())
        return true;
    return ask(QStringLiteral("ListActivatableNames"), {}).toStringList().contains(Service);
}

bool DesktopNotifier::notify(const QString &summary, const QString &body)
{
    if (!m_available)
        return false;
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    const uint replaces = m_shown.contains(m_lastId) ? m_lastId : 0;
    message.setArguments({ QStringLiteral("Vesk"), replaces, m_icon, summary, body,
        QStringList { DefaultAction, QStringLiteral("開く") }, QVariantMap(), -1 });
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DesktopNotifier::onNotifyFinished);
    return true;
}

void DesktopNotifier::onNotifyFinished(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    // A failed call is no news to the user: the program's own windows show
    // the same thing.
    if (reply.isError())
        return;
    m_lastId = reply.value();
    if (!m_shown.contains(m_lastId))
        m_shown << m_lastId;
    if (m_shown.size() > MaxShown)
        m_shown.removeFirst();
}

void DesktopNotifier::onActionInvoked(uint id, const QString &action)
{
    if (action == DefaultAction && m_shown.contains(id))
        emit clicked();
}

void DesktopNotifier::onNotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason);
    m_shown.removeAll(id);
}

} // namespace vesk
