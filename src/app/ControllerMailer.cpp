#include "app/Controller.h"
#include "mail/CoreServices.h"
#include "platform/Messenger.h"

namespace vesk {

void Controller::mailerEntry(MailerEntry entry)
{
    // Every entry point first stops the animation.
    if (m_animationOn)
        setNewMail(m_newMailCount, m_mailAnnounced, false);
    int mailer = 1;
    switch (entry) {
    case MailerEntry::Title: // pnlTopDblClick
    case MailerEntry::Menu1:
        break;
    case MailerEntry::Menu2:
        mailer = 2;
        break;
    case MailerEntry::Animation: // imgPopDblClick
        if (m_settings.DevideON) {
            showBoxWindow();
            return;
        }
        break;
    case MailerEntry::Tray: // TrayIconDblClick
        if (!m_settings.DevideON) {
            mailerEntry(MailerEntry::Animation);
            return;
        }
        mailer = 2;
        break;
    }
    if (passwordGuards(mailer))
        return;
    Wakeup(mailer);
}

bool Controller::passwordGuards(int mailer)
{
    const QString &password = mailer == 2 ? m_settings.MailPassword2 : m_settings.MailPassword;
    if (password.isEmpty())
        return false;
    // Only the typed password starts it now.
    DispSet(DisplayState::Password);
    m_core.messenger.beep();
    hold(2);
    return true;
}

void Controller::keyTyped(QChar character)
{
    m_keyBuffer += character;
    if (m_keyBuffer.size() < 2)
        return;
    const QString typed = m_keyBuffer.toUpper();
    if (!m_settings.MailPassword.isEmpty() && typed == m_settings.MailPassword.toUpper()) {
        m_keyBuffer.clear();
        Wakeup(1);
    } else if (!m_settings.MailPassword2.isEmpty() && m_settings.DevideON
        && typed == m_settings.MailPassword2.toUpper()) {
        m_keyBuffer.clear();
        Wakeup(2);
    }
    // A sliding window over the last two keys.
    m_keyBuffer = m_keyBuffer.right(1);
}

QString Controller::titleHint() const
{
    return m_settings.MailPassword.isEmpty() ? QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでﾒｰﾗｰ起動。右ｸﾘｯｸでﾒﾆｭｰ")
                                             : QStringLiteral("ﾊﾟｽﾜｰﾄﾞでﾒｰﾗｰ起動。右ｸﾘｯｸでﾒﾆｭｰ");
}

void Controller::Wakeup(int mailer)
{
    notYetAvailable(mailer == 2 ? QStringLiteral("メーラー2ON") : QStringLiteral("メーラー1ON"));
}

} // namespace vesk
