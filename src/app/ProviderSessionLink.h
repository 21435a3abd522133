#pragma once

#include "app/ProviderLink.h"

namespace vesk {

class LocalMailServer;
class ProviderSession;

// The provider session as the controller drives it.
class ProviderSessionLink final : public ProviderLink
{
public:
    explicit ProviderSessionLink(ProviderSession &session) : m_session(session) {}
    void DownLoad() override;
    bool MailSend() override;
    int newMailCount() const override;
    bool clientActive() const override;
    void closeClient() override;

private:
    ProviderSession &m_session;
};

// The local mail servers as the controller drives them.
class LocalServersLink final : public LocalServerLink
{
public:
    explicit LocalServersLink(LocalMailServer &servers) : m_servers(servers) {}
    bool startMailer1() override;
    bool startMailer2() override;
    void stopAll() override;
    void closeForSession() override;
    void reopenAfterSession() override;

private:
    LocalMailServer &m_servers;
    bool m_mailer1 = false;
    bool m_mailer2 = false;
    bool m_closed = false;
};

} // namespace vesk
