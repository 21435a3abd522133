#pragma once

#include "settings/OAuthClient.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QOAuth2AuthorizationCodeFlow;

namespace vesk {

class Timer;
class TimerFactory;

// The authorization code flow with PKCE (RFC 7636) through the user's
// browser: the provider's sign-in page, then a redirect to a port of ours
// on 127.0.0.1, then the code exchanged for tokens.
class BrowserSignIn final
{
public:
    struct Result
    {
        bool ok = false;
        QString accessToken;
        QDateTime expiry;
        QString refreshToken;
        QString error; // why not, for the user
    };
    using Done = std::function<void(const Result &)>;
    // Opens a page in the user's browser; false when none opens.
    using OpenBrowser = std::function<bool(const QUrl &)>;

    explicit BrowserSignIn(TimerFactory &timers);
    ~BrowserSignIn();

    // Starts a sign-in (ending one that runs); `done` comes once, on the
    // event loop.
    void start(const OAuthClient &client, OpenBrowser openBrowser, Done done);
    bool running() const { return bool(m_flow); }

    // The user has this long to sign in.
    static constexpr int LimitMs = 5 * 60 * 1000;

private:
    void finish(const Result &result);

    TimerFactory &m_timers;
    OpenBrowser m_openBrowser;
    std::unique_ptr<QOAuth2AuthorizationCodeFlow> m_flow;
    std::unique_ptr<Timer> m_limit;
    Done m_done;
};

} // namespace vesk
