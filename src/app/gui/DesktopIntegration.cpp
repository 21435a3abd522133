#include "app/gui/DesktopIntegration.h"

#include "app/Controller.h"
#include "app/MailerController.h"
#include "app/gui/PopupMenu.h"
#include "boxes/BoxWindowController.h"

#include <QCursor>
#include <QMenu>

namespace vesk {

DesktopIntegration::DesktopIntegration(Controller &controller, PopupMenu &menu, QObject *parent)
    : QObject(parent)
    , m_c(controller)
    , m_menu(menu)
    , m_programIcon(QStringLiteral(":/vesk/pictures/vesk.png"))
    , m_mailIcon(QStringLiteral(":/vesk/pictures/mail.png"))
{
    m_tray.setIcon(m_programIcon);
    m_tray.setToolTip(QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでﾒｰﾗｰ起動"));
    connect(&m_tray, &QSystemTrayIcon::activated, this, &DesktopIntegration::activated);
    connect(&m_c.strip(), &StripController::displayChanged, this, &DesktopIntegration::update);
    connect(&m_c, &Controller::mailIndicationChanged, this, &DesktopIntegration::mailChanged);
    connect(&m_c, &Controller::finished, &m_tray, &QSystemTrayIcon::hide);
    if (trayAvailable())
        m_tray.show();
}

bool DesktopIntegration::trayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void DesktopIntegration::update()
{
    const bool mail = m_c.strip().trayShowsMail();
    if (mail == m_showsMail)
        return;
    m_showsMail = mail;
    m_tray.setIcon(mail ? m_mailIcon : m_programIcon);
}

void DesktopIntegration::activated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        m_c.trayClicked();
        break;
    case QSystemTrayIcon::DoubleClick:
        m_c.mailers().mailerEntry(MailerController::MailerEntry::Tray);
        break;
    case QSystemTrayIcon::Context:
        m_menu.popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void DesktopIntegration::mailChanged()
{
    update();
    if (!m_c.mailAnnounced()) {
        m_notified = false;
        return;
    }
    // One notification per announcement, and only when the user wants them.
    if (m_notified || !m_c.settings().DesktopNotify || !m_notify || m_c.newMailCount() < 1)
        return;
    m_notified = true;
    const int count = m_c.newMailCount();
    const QStringList lines = m_mailLines ? m_mailLines(std::min(count, 5)) : QStringList();
    QString body = lines.join(u'\n');
    if (count > lines.size() && !lines.isEmpty())
        body += QStringLiteral("\n他 %1 通").arg(count - lines.size());
    m_notify(QStringLiteral("新着メール %1 通").arg(count), body);
}

void DesktopIntegration::notificationClicked()
{
    m_c.boxWindow().showBoxWindow();
}

} // namespace vesk
