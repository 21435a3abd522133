#pragma once

#include "mail/ProviderSecurity.h"
#include "session/BearerSasl.h"
#include "session/OutBoxContents.h"

#include <QByteArray>
#include <QSet>

namespace vesk {

class ClientJudge;

// The upload dialogue (states 1-8): HELO, then for each out-box file RSET,
// MAIL, RCPT per recipient, DATA, the text, "."; QUIT. A file is deleted only
// after the provider accepted its text.
//
// Where STARTTLS or a login is wanted, EHLO takes HELO's place and states
// 21-24 come between it and the first RSET: STARTTLS and EHLO again (a server
// that does not offer it is left), then AUTH with PLAIN, LOGIN or CRAM-MD5,
// or with an access token (XOAUTH2, OAUTHBEARER; over TLS only).
// PLAIN and LOGIN show the password to whoever listens, so they are used only
// on an encrypted connection unless the user allowed them in plain text.
class SmtpDialogue final
{
public:
    explicit SmtpDialogue(ClientJudge &judge);

    void begin();
    void reply(const QByteArray &line);
    void clearMessage() { m_contents = {}; }
    // Encryption stands after STARTTLS: EHLO again.
    void encrypted();

private:
    bool wantsEhlo() const;
    void capability(const QByteArray &text);
    void afterEhlo();
    void startAuth();
    void authReply(const QByteArray &code);
    bearer::Mechanism bearerMechanism() const;
    QByteArray bearerResponse() const;
    void bearerReply(const QByteArray &code);
    void ready();
    void nextMessage();
    void recipient();
    void sendText();
    void accepted();
    void quitOk();
    void quit();
    // A file that cannot be sent stays in the out-box; the others go.
    void passOver(const OutBoxContents &contents);

    ClientJudge &m_judge;
    OutBoxContents m_contents;
    qsizetype m_index = 0;
    // What the last EHLO reply offered.
    bool m_startTlsOffered = false;
    QSet<QByteArray> m_mechanisms;
    SmtpAuth m_mechanism = SmtpAuth::None;
    int m_authStage = 0;
    // Out-box files this session leaves where they are.
    QSet<QString> m_passedOver;
    // Files the user has been told of already, so that each is named once.
    QSet<QString> m_told;
};

} // namespace vesk
