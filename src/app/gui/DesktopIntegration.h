#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

namespace vesk {

class Controller;
class PopupMenu;

// The tray icon with its tip, its clicks and its menu, and the mail picture
// while mail waits; and the desktop notification of new mail. It listens to
// the controller; the strip does not talk to it.
class DesktopIntegration final : public QObject
{
    Q_OBJECT

public:
    // Shows a desktop notification: a summary, a body; clicking it calls back.
    using Notify = std::function<void(const QString &summary, const QString &body)>;

    DesktopIntegration(Controller &controller, PopupMenu &menu, QObject *parent = nullptr);

    // False on a bare X server: the strip alone gives every function then.
    bool trayAvailable() const;
    void setNotifier(Notify notify) { m_notify = std::move(notify); }
    // The lines a notification names, newest first (sender: subject).
    void setMailLines(std::function<QStringList(int)> lines) { m_mailLines = std::move(lines); }
    // The notification was clicked.
    void notificationClicked();

private:
    void update();
    void activated(QSystemTrayIcon::ActivationReason reason);
    void mailChanged();

    Controller &m_c;
    PopupMenu &m_menu;
    QSystemTrayIcon m_tray;
    QIcon m_programIcon;
    QIcon m_mailIcon;
    bool m_showsMail = false;
    bool m_notified = false;
    Notify m_notify;
    std::function<QStringList(int)> m_mailLines;
};

} // namespace vesk
