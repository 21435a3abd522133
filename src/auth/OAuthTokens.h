#pragma once

#include "session/TokenSource.h"
#include "settings/OAuthClient.h"

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QString>

#include <functional>
#include <optional>

namespace vesk {

class Clock;
class EventPump;
class TimerFactory;
struct TokenReply;

// Access tokens of the built-in sign-in: kept in memory with their expiry,
// renewed with the refresh token before they lapse and once after a server
// refused one. Each refresh token the provider issues is handed to the
// saver (the settings), never written here.
class OAuthTokens final : public TokenSource
{
public:
    OAuthTokens(const Clock &clock, TimerFactory &timers, EventPump &pump);

    // The client and the refresh token of the settings; an access token of
    // another client or refresh token is dropped.
    void setClient(const OAuthClient &client, const QString &refreshToken);
    void setRefreshTokenSaver(std::function<void(const QString &)> save) { m_save = std::move(save); }
    // Tokens won by a sign-in in the browser.
    void signedIn(const QString &accessToken, const QDateTime &expiry, const QString &refreshToken);

    QString accessToken(QString *error) override;
    bool rejected() override;

    bool hasRefreshToken() const { return !m_refreshToken.isEmpty(); }
    // Renewed when less than this is left.
    static constexpr int MarginSeconds = 120;
    // The token endpoint must have answered by then.
    static constexpr int TimeoutMs = 30 * 1000;

private:
    bool refresh(QString *error);
    // The endpoint's answer (error statuses too, they say why); nothing,
    // with `error` set, when it did not answer in time or at all.
    std::optional<QByteArray> post(const QByteArray &form, int *status, QString *error);

    const Clock &m_clock;
    TimerFactory &m_timers;
    EventPump &m_pump;
    QNetworkAccessManager m_network;
    OAuthClient m_client;
    QString m_refreshToken;
    QString m_accessToken;
    QDateTime m_expiry;
    std::function<void(const QString &)> m_save;
};

} // namespace vesk
