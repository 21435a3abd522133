#include "auth/OAuthTokens.h"

#include "auth/TokenReply.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrlQuery>

#include <limits>

namespace vesk {

OAuthTokens::OAuthTokens(const Clock &clock, TimerFactory &timers, EventPump &pump)
    : m_clock(clock)
    , m_timers(timers)
    , m_pump(pump)
{ }

void OAuthTokens::setClient(const OAuthClient &client, const QString &refreshToken)
{
    if (client == m_client && refreshToken == m_refreshToken)
        return;
    m_client = client;
    m_refreshToken = refreshToken;
    m_accessToken.clear();
}

void OAuthTokens::signedIn(const QString &accessToken, const QDateTime &expiry, const QString &refreshToken)
{
    m_accessToken = accessToken;
    m_expiry = expiry;
    if (!refreshToken.isEmpty() && refreshToken != m_refreshToken) {
        m_refreshToken = refreshToken;
        if (m_save)
            m_save(refreshToken);
    }
}

QString OAuthTokens::accessToken(QString *error)
{
    if (!m_accessToken.isEmpty() && m_clock.now().secsTo(m_expiry) > MarginSeconds)
        return m_accessToken;
    m_accessToken.clear();
    if (!refresh(error))
        return {};
    return m_accessToken;
}

bool OAuthTokens::rejected()
{
    m_accessToken.clear();
    return !m_refreshToken.isEmpty() && m_client.complete();
}

bool OAuthTokens::refresh(QString *error)
{
    if (!m_client.complete()) {
        *error = QStringLiteral("OAuth のクライアントIDが設定されていません");
        return false;
    }
    if (!m_client.protectedEndpoints()) {
        *error = QStringLiteral("OAuth の接続先は https:// でなければなりません");
        return false;
    }
    if (m_refreshToken.isEmpty()) {
        *error = QStringLiteral("設定の「ブラウザでサインイン」でサインインしてください");
        return false;
    }
    QUrlQuery form;
    form.addQueryItem(QStringLiteral("grant_type"), QStringLiteral("refresh_token"));
    form.addQueryItem(QStringLiteral("refresh_token"), m_refreshToken);
    form.addQueryItem(QStringLiteral("client_id"), m_client.clientId);
    if (!m_client.clientSecret.isEmpty())
        form.addQueryItem(QStringLiteral("client_secret"), m_client.clientSecret);
    int status = 0;
    const std::optional<QByteArray> body = post(form.query(QUrl::FullyEncoded).toUtf8(), &status, error);
    if (!body)
        return false;
    const std::optional<TokenReply> reply = parseTokenReply(*body);
    if (!reply) {
        *error = QStringLiteral("トークンの発行元の応答が読めません（HTTP %1）").arg(status);
        return false;
    }
    if (reply->accessToken.isEmpty()) {
        // invalid_grant: the sign-in was withdrawn or has lapsed.
        *error = QStringLiteral(
            "トークンを更新できません（HTTP %1 %2 %3）。ブラウザでサインインし直してください")
                     .arg(status)
                     .arg(reply->error, reply->errorDescription)
                     .simplified();
        return false;
    }
    const QDateTime now = m_clock.now();
    // Without a lifetime, one hour, as the providers give.
    signedIn(
        reply->accessToken, now.addSecs(reply->expiresIn > 0 ? reply->expiresIn : 3600), reply->refreshToken);
    return true;
}

std::optional<QByteArray> OAuthTokens::post(const QByteArray &form, int *status, QString *error)
{
    QNetworkRequest request { QUrl(m_client.tokenUrl) };
    request.setHeader(
        QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QPointer<QNetworkReply> reply = m_network.post(request, form);
    bool late = false;
    const std::unique_ptr<Timer> limit = m_timers.create();
    limit->setInterval(TimeoutMs);
    limit->setCallback([&] { late = true; });
    limit->start();
    QByteArray body;
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        body += reply->read(MaxTokenReply + 1 - body.size());
        if (body.size() > MaxTokenReply) {
            tooLarge = true;
            reply->abort();
        }
    });
    m_pump.waitUntil(
        [&] { return !reply || reply->isFinished() || late; }, std::numeric_limits<int>::max(), 10);
    limit->stop();
    if (!reply || !reply->isFinished()) {
        if (reply)
            reply->abort();
        *error = QStringLiteral("トークンの発行元が %1 秒以内に応答しませんでした").arg(TimeoutMs / 1000);
        delete reply.data();
        return std::nullopt;
    }
    body += reply->read(MaxTokenReply + 1 - body.size());
    *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError failure = reply->error();
    const QString text = reply->errorString();
    reply->deleteLater();
    if (tooLarge || body.size() > MaxTokenReply) {
        *error = QStringLiteral("トークンの発行元の応答が大きすぎます");
        return std::nullopt;
    }
    // An error status still carries the JSON that says why.
    if (*status == 0 && failure != QNetworkReply::NoError) {
        *error = QStringLiteral("トークンの発行元に接続できません（%1）").arg(text);
        return std::nullopt;
    }
    return body;
}

} // namespace vesk
