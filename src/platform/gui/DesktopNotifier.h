#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

namespace vesk {

// Desktop notifications (the freedesktop Notifications service on the
// session bus). Without that service it is quietly unavailable: notify()
// then does nothing and the caller falls back on its own windows.
class DesktopNotifier final : public QObject
{
    Q_OBJECT
public:
    // `icon`: an icon theme name or an absolute picture path.
    explicit DesktopNotifier(const QString &icon, const QDBusConnection &bus = QDBusConnection::sessionBus(),
        QObject *parent = nullptr);

    bool isAvailable() const { return m_available; }

    // Shows a notification in place of the one shown before, if that is still
    // up. False when no notification service is there.
    bool notify(const QString &summary, const QString &body);

signals:
    // The user clicked one of this notifier's notifications.
    void clicked();

private slots:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);

private:
    void onNotifyFinished(QDBusPendingCallWatcher *watcher);
    bool serviceIsThere() const;

    QDBusConnection m_bus;
    QString m_icon;
    bool m_available = false;
    uint m_lastId = 0;
    // Ids of this notifier's notifications still up (a few at most: each new
    // one replaces the last).
    QList<uint> m_shown;
};

} // namespace vesk
