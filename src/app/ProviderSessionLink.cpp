#include "app/ProviderSessionLink.h"

#include "server/LocalMailServer.h"
#include "session/ProviderConnection.h"
#include "session/ProviderSession.h"

namespace vesk {

void ProviderSessionLink::DownLoad()
{
    m_session.downLoad();
}

bool ProviderSessionLink::MailSend()
{
    return m_session.mailSend();
}

int ProviderSessionLink::newMailCount() const
{
    return m_session.newMailCount();
}

bool ProviderSessionLink::clientActive() const
{
    return m_session.connection().active();
}

void ProviderSessionLink::closeClient()
{
    m_session.connection().clientOff();
}

bool LocalServersLink::startMailer1()
{
    m_mailer1 = true;
    m_servers.startMailer1();
    return true;
}

bool LocalServersLink::startMailer2()
{
    m_mailer2 = true;
    m_servers.startMailer2();
    return true;
}

void LocalServersLink::stopAll()
{
    m_mailer1 = m_mailer2 = m_closed = false;
    m_servers.stopAll();
}

void LocalServersLink::closeForSession()
{
    if (m_closed)
        return;
    m_closed = true;
    // Closed as a mailer sees it, but the ports stay ours.
    m_servers.holdForSession();
}

void LocalServersLink::reopenAfterSession()
{
    if (!m_closed)
        return;
    m_closed = false;
    m_servers.resumeAfterSession();
    // A port that could not be opened before is tried again.
    if (m_mailer1)
        m_servers.startMailer1();
    if (m_mailer2)
        m_servers.startMailer2();
}

} // namespace vesk
