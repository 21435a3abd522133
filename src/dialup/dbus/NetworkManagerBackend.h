#pragma once

#include "dialup/DialUpBackend.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>

namespace vesk {

class EventPump;

// The connection service on Linux: NetworkManager over the system bus. Its
// connection profiles are the entries; activating one is dialling, its
// device's and its own state changes are the progress; deactivating it is
// hanging up. Every call waits for its answer pumping events, within bounds:
// a NetworkManager that does not answer never stops the program.
class NetworkManagerBackend final : public QObject, public DialUpBackend
{
    Q_OBJECT

public:
    static constexpr int CallTimeoutMs = 5000;

    explicit NetworkManagerBackend(EventPump &pump, const QDBusConnection &bus = QDBusConnection::systemBus(),
        QObject *parent = nullptr);

    void setNotify(Notify notify) override { m_notify = std::move(notify); }
    bool available() override;
    int listEntries(QStringList *names) override;
    int dial(const QString &entry, QString *handle) override;
    QList<ActiveConnection> activeConnections() override;
    int hangUp(const QString &handle) override;
    LineStats stats(const QString &handle) override;

private slots:
    void onDeviceStateChanged(uint newState, uint oldState, uint reason, const QDBusMessage &message);
    void onActiveStateChanged(uint state, uint reason, const QDBusMessage &message);
    void onManagerPropertiesChanged(
        const QString &interface, const QVariantMap &changed, const QStringList &invalidated);

private:
    struct Profile
    {
        QString path;
        QString id;
        QString type;
    };
    struct Active
    {
        ActiveConnection connection;
        QString device;
        uint activeState = 0;
        uint deviceType = 0;
    };

    void subscribe();
    QList<QDBusMessage> callAll(const QList<QDBusMessage> &calls);
    QDBusMessage call(const QDBusMessage &message) { return callAll({ message }).constFirst(); }
    QList<Profile> profiles(int *error);
    void refresh();
    void report(const QString &handle, int state, int error);

    EventPump &m_pump;
    QDBusConnection m_bus;
    Notify m_notify;
    bool m_subscribed = false;
    QList<Active> m_active;
    bool m_dirty = true;
    bool m_refreshing = false;
    QElapsedTimer m_age;
    // The connections this program activated, with their devices.
    QHash<QString, QString> m_own;
};

} // namespace vesk
