#include "auth/ProviderTokens.h"

namespace vesk {

ProviderTokens::ProviderTokens(
    const Clock &clock, TimerFactory &timers, EventPump &pump, CommandRunner &runner)
    : m_command(runner, timers, pump)
    , m_oauth(clock, timers, pump)
    , m_signIn(timers)
{ }

void ProviderTokens::configure(const Config &config)
{
    m_command.setCommand(config.command.trimmed());
    m_oauth.setClient(config.client, config.refreshToken);
}

TokenSource &ProviderTokens::current()
{
    if (!m_command.command().isEmpty())
        return m_command;
    return m_oauth;
}

QString ProviderTokens::accessToken(QString *error)
{
    return current().accessToken(error);
}

bool ProviderTokens::rejected()
{
    return current().rejected();
}

void ProviderTokens::signIn(const OAuthClient &client, BrowserSignIn::OpenBrowser openBrowser,
    std::function<void(bool ok, const QString &text)> done)
{
    m_signIn.start(client, std::move(openBrowser),
        [this, client, done = std::move(done)](const BrowserSignIn::Result &result) {
            if (!result.ok) {
                done(false, QStringLiteral("サインインできませんでした。\r\n") + result.error);
                return;
            }
            // The client signed in with is the one the tokens belong to, even
            // before the dialog is saved.
            m_oauth.setClient(client, QString());
            m_oauth.signedIn(result.accessToken, result.expiry, result.refreshToken);
            if (result.refreshToken.isEmpty()) {
                done(false,
                    QStringLiteral("サインインしましたが、更新用のトークンが発行されませんでした。\r\n"
                                   "スコープに offline_access などが必要です。"));
                return;
            }
            done(true,
                QStringLiteral("サインインしました。次のメールチェックからこのアカウントで認証します。"));
        });
}

} // namespace vesk
