#include "dialup/dbus/NetworkManagerBackend.h"

#include "dialup/DialErrors.h"
#include "dialup/DialStates.h"
#include "dialup/dbus/NmStates.h"
#include "platform/EventPump.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QDBusVariant>

namespace vesk {
namespace {

const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString SettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString Manager = QStringLiteral("org.freedesktop.NetworkManager");
const QString SettingsIf = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString ConnectionIf = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString ActiveIf = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString DeviceIf = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString StatisticsIf = QStringLiteral("org.freedesktop.NetworkManager.Device.Statistics");
const QString WiredIf = QStringLiteral("org.freedesktop.NetworkManager.Device.Wired");
const QString WirelessIf = QStringLiteral("org.freedesktop.NetworkManager.Device.Wireless");
const QString PropertiesIf = QStringLiteral("org.freedesktop.DBus.Properties");

// The cache of active connections is read again at least this often, in
// case a change went unnoticed.
constexpr int CacheMs = 2000;
constexpr int PauseMs = 10;
constexpr uint DeviceFailed = 120;
constexpr uint ActiveDeactivated = 4;

QDBusMessage method(
    const QString &path, const QString &interface, const QString &name, const QVariantList &args = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, name);
    message.setArguments(args);
    return message;
}

QDBusMessage getAll(const QString &path, const QString &interface)
{
    return method(path, PropertiesIf, QStringLiteral("GetAll"), { interface });
}

QVariant unwrap(QVariant value)
{
    if (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

QVariantMap toMap(const QVariant &value)
{
    const QVariant v = unwrap(value);
    if (v.userType() == qMetaTypeId<QDBusArgument>()) {
        QVariantMap map;
        v.value<QDBusArgument>() >> map;
        return map;
    }
    return v.toMap();
}

QStringList toPaths(const QVariant &value)
{
    const QVariant v = unwrap(value);
    QList<QDBusObjectPath> paths;
    if (v.userType() == qMetaTypeId<QDBusArgument>())
        v.value<QDBusArgument>() >> paths;
    else if (v.userType() == qMetaTypeId<QList<QDBusObjectPath>>())
        paths = v.value<QList<QDBusObjectPath>>();
    else if (v.userType() == qMetaTypeId<QDBusObjectPath>())
        paths << v.value<QDBusObjectPath>();
    QStringList result;
    for (const QDBusObjectPath &path : std::as_const(paths))
        result << path.path();
    return result;
}

QString toPath(const QVariant &value)
{
    const QStringList paths = toPaths(value);
    return paths.isEmpty() ? QString() : paths.constFirst();
}

bool failed(const QDBusMessage &reply)
{
    return reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty();
}

int errorOf(const QDBusMessage &reply)
{
    const QString name = reply.errorName();
    if (name.contains(QLatin1String("UnknownConnection")))
        return dialerror::EntryNotFound;
    if (name.startsWith(QLatin1String("org.freedesktop.DBus.Error.")))
        return dialerror::ServiceUnreachable;
    return dialerror::PortDisconnected;
}

} // namespace

NetworkManagerBackend::NetworkManagerBackend(EventPump &pump, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_pump(pump)
    , m_bus(bus)
{ }

void NetworkManagerBackend::subscribe()
{
    if (m_subscribed || !m_bus.isConnected())
        return;
    m_subscribed = true;
    // Every device and every active connection: an empty path matches all.
    m_bus.connect(Service, QString(), DeviceIf, QStringLiteral("StateChanged"), this,
        SLOT(onDeviceStateChanged(uint, uint, uint, QDBusMessage)));
    m_bus.connect(Service, QString(), ActiveIf, QStringLiteral("StateChanged"), this,
        SLOT(onActiveStateChanged(uint, uint, QDBusMessage)));
    m_bus.connect(Service, ManagerPath, PropertiesIf, QStringLiteral("PropertiesChanged"), this,
        SLOT(onManagerPropertiesChanged(QString, QVariantMap, QStringList)));
}

bool NetworkManagerBackend::available()
{
    if (!m_bus.isConnected() || !m_bus.interface())
        return false;
    const QDBusReply<bool> registered = m_bus.interface()->isServiceRegistered(Service);
    if (!registered.isValid() || !registered.value())
        return false;
    subscribe();
    return true;
}

QList<QDBusMessage> NetworkManagerBackend::callAll(const QList<QDBusMessage> &calls)
{
    QList<QDBusPendingCall> pending;
    for (const QDBusMessage &message : calls)
        pending << m_bus.asyncCall(message, CallTimeoutMs);
    m_pump.waitUntil(
        [&] {
            return std::all_of(
                pending.begin(), pending.end(), [](const QDBusPendingCall &p) { return p.isFinished(); });
        },
        CallTimeoutMs / PauseMs + 1, PauseMs);
    QList<QDBusMessage> replies;
    for (const QDBusPendingCall &p : std::as_const(pending)) {
        replies << (p.isFinished()
                ? p.reply()
                : QDBusMessage::createError(QStringLiteral("org.freedesktop.DBus.Error.NoReply"),
                    QStringLiteral("NetworkManager did not answer")));
    }
    return replies;
}

QList<NetworkManagerBackend::Profile> NetworkManagerBackend::profiles(int *error)
{
    *error = 0;
    subscribe();
    const QDBusMessage listed = call(method(SettingsPath, SettingsIf, QStringLiteral("ListConnections")));
    if (failed(listed)) {
        *error = errorOf(listed);
        return {};
    }
    const QStringList paths = toPaths(listed.arguments().constFirst());
    QList<QDBusMessage> calls;
    for (const QString &path : paths)
        calls << method(path, ConnectionIf, QStringLiteral("GetSettings"));
    const QList<QDBusMessage> replies = callAll(calls);
    QList<Profile> result;
    for (int i = 0; i < paths.size(); ++i) {
        if (failed(replies[i]))
            continue;
        QMap<QString, QVariantMap> settings;
        const QVariant reply = replies[i].arguments().constFirst();
        if (reply.userType() == qMetaTypeId<QDBusArgument>())
            reply.value<QDBusArgument>() >> settings;
        const QVariantMap connection = settings.value(QStringLiteral("connection"));
        const QString type = connection.value(QStringLiteral("type")).toString();
        if (type == QLatin1String("loopback"))
            continue;
        result.push_back({ paths[i], connection.value(QStringLiteral("id")).toString(), type });
    }
    return result;
}

int NetworkManagerBackend::listEntries(QStringList *names)
{
    int error = 0;
    for (const Profile &profile : profiles(&error))
        *names << profile.id;
    return error;
}

int NetworkManagerBackend::dial(const QString &entry, QString *handle)
{
    int error = 0;
    const QList<Profile> known = profiles(&error);
    if (error != 0)
        return error;
    const auto profile
        = std::find_if(known.begin(), known.end(), [&](const Profile &p) { return p.id == entry; });
    if (profile == known.end())
        return dialerror::EntryNotFound;
    const QDBusObjectPath none(QStringLiteral("/"));
    const QDBusMessage reply = call(method(ManagerPath, Manager, QStringLiteral("ActivateConnection"),
        { QVariant::fromValue(QDBusObjectPath(profile->path)), QVariant::fromValue(none),
            QVariant::fromValue(none) }));
    if (failed(reply))
        return errorOf(reply);
    *handle = toPath(reply.arguments().constFirst());
    // Its device's progress is the dial's.
    const QDBusMessage props = call(getAll(*handle, ActiveIf));
    const QStringList devices = failed(props)
        ? QStringList()
        : toPaths(toMap(props.arguments().constFirst()).value(QStringLiteral("Devices")));
    m_own.insert(*handle, devices.isEmpty() ? QString() : devices.constFirst());
    m_dirty = true;
    return 0;
}

QList<ActiveConnection> NetworkManagerBackend::activeConnections()
{
    if ((m_dirty || !m_age.isValid() || m_age.elapsed() > CacheMs) && !m_refreshing)
        refresh();
    QList<ActiveConnection> result;
    for (const Active &active : std::as_const(m_active))
        result << active.connection;
    return result;
}

void NetworkManagerBackend::refresh()
{
    // Waiting pumps events: a handler asking meanwhile gets the last list.
    m_refreshing = true;
    m_dirty = false;
    m_age.start();
    subscribe();
    QList<Active> fresh;
    const QDBusMessage listed = call(method(
        ManagerPath, PropertiesIf, QStringLiteral("Get"), { Manager, QStringLiteral("ActiveConnections") }));
    const QStringList paths = failed(listed) ? QStringList() : toPaths(listed.arguments().constFirst());
    QList<QDBusMessage> calls;
    for (const QString &path : paths)
        calls << getAll(path, ActiveIf);
    const QList<QDBusMessage> replies = callAll(calls);
    QList<QDBusMessage> deviceCalls;
    for (int i = 0; i < paths.size(); ++i) {
        if (failed(replies[i]))
            continue;
        const QVariantMap props = toMap(replies[i].arguments().constFirst());
        const QString type = props.value(QStringLiteral("Type")).toString();
        if (type == QLatin1String("loopback"))
            continue;
        Active active;
        active.connection.handle = paths[i];
        active.connection.entryName = props.value(QStringLiteral("Id")).toString();
        active.connection.deviceType = type;
        active.connection.pointToPoint = nm::pointToPoint(type);
        active.connection.state = nm::dialState(props.value(QStringLiteral("State")).toUInt(), 0);
        const QStringList devices = toPaths(props.value(QStringLiteral("Devices")));
        active.device = devices.isEmpty() ? QString() : devices.constFirst();
        active.activeState = props.value(QStringLiteral("State")).toUInt();
        fresh << active;
        if (!active.device.isEmpty())
            deviceCalls << getAll(active.device, DeviceIf);
    }
    const QList<QDBusMessage> devices = callAll(deviceCalls);
    int d = 0;
    for (Active &active : fresh) {
        if (active.device.isEmpty())
            continue;
        const QDBusMessage &reply = devices[d++];
        if (failed(reply))
            continue;
        const QVariantMap props = toMap(reply.arguments().constFirst());
        active.connection.deviceName = props.value(QStringLiteral("Interface")).toString();
        active.deviceType = props.value(QStringLiteral("DeviceType")).toUInt();
        // A device's state tells where an activation has got to.
        active.connection.state
            = nm::dialState(active.activeState, props.value(QStringLiteral("State")).toUInt());
    }
    m_active = fresh;
    m_refreshing = false;
}

int NetworkManagerBackend::hangUp(const QString &handle)
{
    if (handle.isEmpty())
        return dialerror::InvalidHandle;
    // Asked, not waited for: the line goes when NetworkManager has it down.
    m_bus.asyncCall(method(ManagerPath, Manager, QStringLiteral("DeactivateConnection"),
                        { QVariant::fromValue(QDBusObjectPath(handle)) }),
        CallTimeoutMs);
    m_dirty = true;
    return 0;
}

LineStats NetworkManagerBackend::stats(const QString &handle)
{
    LineStats stats;
    activeConnections();
    const auto active = std::find_if(
        m_active.begin(), m_active.end(), [&](const Active &a) { return a.connection.handle == handle; });
    if (active == m_active.end() || active->device.isEmpty())
        return stats;
    QList<QDBusMessage> calls { getAll(active->device, StatisticsIf) };
    if (active->deviceType == 1)
        calls << getAll(active->device, WiredIf);
    else if (active->deviceType == 2)
        calls << getAll(active->device, WirelessIf);
    const QList<QDBusMessage> replies = callAll(calls);
    if (!failed(replies[0])) {
        const QVariantMap counters = toMap(replies[0].arguments().constFirst());
        stats.bytesXmit = counters.value(QStringLiteral("TxBytes")).toLongLong();
        stats.bytesRecv = counters.value(QStringLiteral("RxBytes")).toLongLong();
    }
    if (replies.size() > 1 && !failed(replies[1])) {
        const QVariantMap link = toMap(replies[1].arguments().constFirst());
        // Megabits for a wire, kilobits for the air.
        if (active->deviceType == 1)
            stats.speed = link.value(QStringLiteral("Speed")).toLongLong() * 1000000;
        else
            stats.speed = link.value(QStringLiteral("Bitrate")).toLongLong() * 1000;
    }
    return stats;
}

void NetworkManagerBackend::report(const QString &handle, int state, int error)
{
    if (m_notify)
        m_notify({ handle, state, error });
}

void NetworkManagerBackend::onDeviceStateChanged(
    uint newState, uint, uint reason, const QDBusMessage &message)
{
    m_dirty = true;
    for (auto it = m_own.cbegin(); it != m_own.cend(); ++it) {
        if (it.value() != message.path())
            continue;
        if (newState == DeviceFailed)
            report(it.key(), dialstate::Disconnected, nm::deviceError(reason));
        else
            report(it.key(), nm::dialState(1, newState), 0);
    }
}

void NetworkManagerBackend::onActiveStateChanged(uint state, uint reason, const QDBusMessage &message)
{
    m_dirty = true;
    const QString path = message.path();
    if (!m_own.contains(path))
        return;
    if (state >= ActiveDeactivated) {
        report(path, dialstate::Disconnected, nm::activeError(reason));
        m_own.remove(path);
    } else {
        report(path, nm::dialState(state, 0), 0);
    }
}

void NetworkManagerBackend::onManagerPropertiesChanged(
    const QString &interface, const QVariantMap &changed, const QStringList &invalidated)
{
    Q_UNUSED(invalidated);
    if (interface == Manager && changed.contains(QStringLiteral("ActiveConnections")))
        m_dirty = true;
}

} // namespace vesk
