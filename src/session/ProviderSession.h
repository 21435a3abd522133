#pragma once

#include "session/SessionConfig.h"
#include "session/SessionContext.h"

#include <memory>

namespace vesk {

class MailHost;
class MailView;
class ProviderConnection;
class TokenSource;
struct CoreServices;

// The provider session as the controller sees it: DownLoad collects the
// provider's mail into the in-box, MailSend sends the out-box. Both return
// when their session has ended; the marker of the shared session state tells
// the result ("x" failed, empty succeeded).
class ProviderSession final
{
public:
    ProviderSession(const CoreServices &core, MailHost &host, MailView &view);
    ~ProviderSession();
    ProviderSession(const ProviderSession &) = delete;
    ProviderSession &operator=(const ProviderSession &) = delete;

    // The settings for the next sessions (after each settings load).
    void setConfig(const SessionConfig &config);
    const SessionConfig &config() const { return m_config; }

    // One whole download session. Nothing unless the account is complete.
    // Returns the number of new messages (also kept as newMailCount()).
    int downLoad();
    // Sends the out-box (nothing to send: no connection). False when the
    // session failed; what was not accepted stays in the out-box.
    bool mailSend();

    // New mail of the last download: in check-only mode the provider's
    // count; otherwise the messages stored (all of them when it succeeded).
    int newMailCount() const { return m_newMailCount; }

    // Starts the upload session (mailSend waits for it).
    void upMail();
    // Connection error handling: session closed, marker "x", "ConnectNG".
    void connError();
    // A protection or login setting outside its table: nothing is sent.
    void refuseSettings(const QString &name);

    ProviderConnection &connection() { return *m_connection; }
    // Where XOAUTH2 and OAUTHBEARER get their token (not owned; may be none).
    void setTokenSource(TokenSource *tokens) { m_tokens = tokens; }

private:
    void waitForSessionEnd();
    // The access token into the config; false (told on the monitor) when
    // there is none.
    bool fetchToken();
    // The session failed on a refused token and a fresh one can be had.
    bool retryAfterRejection();

    const CoreServices &m_core;
    SessionConfig m_config;
    SessionContext m_context;
    std::unique_ptr<ProviderConnection> m_connection;
    int m_newMailCount = 0;
    TokenSource *m_tokens = nullptr;
};

} // namespace vesk
