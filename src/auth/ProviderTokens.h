#pragma once

#include "auth/BrowserSignIn.h"
#include "auth/OAuthTokens.h"
#include "auth/TokenCommand.h"
#include "session/TokenSource.h"

#include <functional>

namespace vesk {

class Clock;
class CommandRunner;
class EventPump;
class TimerFactory;

// The provider session's token source: the token command where the user
// named one, else the built-in sign-in's tokens.
class ProviderTokens final : public TokenSource
{
public:
    ProviderTokens(const Clock &clock, TimerFactory &timers, EventPump &pump, CommandRunner &runner);

    struct Config
    {
        QString command; // TokenCommand
        OAuthClient client;
        QString refreshToken; // OAuth_RefreshToken, decoded
    };
    void configure(const Config &config);
    // Each refresh token the provider issues goes here (to the settings).
    void setRefreshTokenSaver(std::function<void(const QString &)> save)
    {
        m_oauth.setRefreshTokenSaver(std::move(save));
    }

    QString accessToken(QString *error) override;
    bool rejected() override;

    // "ブラウザでサインイン": `done` says in the user's words how it went.
    void signIn(const OAuthClient &client, BrowserSignIn::OpenBrowser openBrowser,
        std::function<void(bool ok, const QString &text)> done);

private:
    TokenSource &current();

    TokenCommand m_command;
    OAuthTokens m_oauth;
    BrowserSignIn m_signIn;
};

} // namespace vesk
