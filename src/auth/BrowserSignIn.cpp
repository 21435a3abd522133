#include "auth/BrowserSignIn.h"

#include "platform/Timer.h"

#include <QCryptographicHash>
#include <QOAuth2AuthorizationCodeFlow>
#include <QOAuthHttpServerReplyHandler>
#include <QRandomGenerator>
#include <QTimer>

namespace vesk {
namespace {

QByteArray base64Url(const QByteArray &bytes)
{
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

// 32 random bytes: 43 characters, the shortest verifier RFC 7636 allows.
QByteArray newVerifier()
{
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return base64Url(bytes);
}

} // namespace

BrowserSignIn::BrowserSignIn(TimerFactory &timers)
    : m_timers(timers)
{ }

BrowserSignIn::~BrowserSignIn() = default;

void BrowserSignIn::start(const OAuthClient &client, OpenBrowser openBrowser, Done done)
{
    if (m_flow)
        finish({ false, {}, {}, {}, QStringLiteral("サインインをやり直しました") });
    m_done = std::move(done);
    m_openBrowser = std::move(openBrowser);
    if (!client.complete()) {
        finish({ false, {}, {}, {}, QStringLiteral("クライアントIDと接続先が設定されていません") });
        return;
    }
    if (!client.protectedEndpoints()) {
        finish({ false, {}, {}, {}, QStringLiteral("OAuth の接続先は https:// でなければなりません") });
        return;
    }
    m_flow = std::make_unique<QOAuth2AuthorizationCodeFlow>();
    QOAuth2AuthorizationCodeFlow *flow = m_flow.get();
    // Loopback only, on a port the system picks (RFC 8252 7.3).
    auto *handler = new QOAuthHttpServerReplyHandler(QHostAddress::LocalHost, 0, flow);
    if (!handler->isListening()) {
        finish({ false, {}, {}, {}, QStringLiteral("サインインの応答を待つポートを開けません") });
        return;
    }
    handler->setCallbackText(
        QStringLiteral("Vesk: サインインの結果を受け取りました。このページは閉じてかまいません。"));
    flow->setReplyHandler(handler);
    flow->setAuthorizationUrl(QUrl(client.authUrl));
    flow->setAccessTokenUrl(QUrl(client.tokenUrl));
    flow->setClientIdentifier(client.clientId);
    flow->setClientIdentifierSharedKey(client.clientSecret);
    flow->setScope(client.scope);

    const QByteArray verifier = newVerifier();
    const QByteArray challenge = base64Url(QCryptographicHash::hash(verifier, QCryptographicHash::Sha256));
    const bool google = QUrl(client.authUrl).host().endsWith(QLatin1String("google.com"));
    flow->setModifyParametersFunction(
        [verifier, challenge, google](QAbstractOAuth::Stage stage, QMultiMap<QString, QVariant> *parameters) {
            if (stage == QAbstractOAuth::Stage::RequestingAuthorization) {
                parameters->insert(QStringLiteral("code_challenge"), challenge);
                parameters->insert(QStringLiteral("code_challenge_method"), QStringLiteral("S256"));
                // Google issues a refresh token only when asked this way.
                if (google) {
                    parameters->insert(QStringLiteral("access_type"), QStringLiteral("offline"));
                    parameters->insert(QStringLiteral("prompt"), QStringLiteral("consent"));
                }
            } else if (stage == QAbstractOAuth::Stage::RequestingAccessToken) {
                parameters->insert(QStringLiteral("code_verifier"), verifier);
                // The redirect's code arrives still percent-encoded
                // ("4%2F0A..."); sent so, it would be encoded twice.
                const QString code = parameters->value(QStringLiteral("code")).toString();
                parameters->replace(QStringLiteral("code"), QUrl::fromPercentEncoding(code.toUtf8()));
            }
        });

    QObject::connect(flow, &QAbstractOAuth::authorizeWithBrowser, flow, [this](const QUrl &url) {
        if (!m_openBrowser(url))
            finish({ false, {}, {}, {}, QStringLiteral("ブラウザを開けません") });
    });
    QObject::connect(flow, &QAbstractOAuth::granted, flow, [this, flow] {
        finish({ true, flow->token(), flow->expirationAt(), flow->refreshToken(), {} });
    });
    QObject::connect(flow, &QAbstractOAuth2::error, flow,
        [this](const QString &error, const QString &description, const QUrl &) {
            finish({ false, {}, {}, {},
                QStringLiteral("サインインが拒まれました（%1 %2）").arg(error, description).simplified() });
        });
    QObject::connect(flow, &QAbstractOAuth::requestFailed, flow, [this](QAbstractOAuth::Error) {
        finish({ false, {}, {}, {}, QStringLiteral("トークンの発行元から応答が得られません") });
    });

    m_limit = m_timers.create();
    m_limit->setInterval(LimitMs);
    m_limit->setCallback([this] {
        finish({ false, {}, {}, {}, QStringLiteral("時間内にサインインが終わりませんでした") });
    });
    m_limit->start();
    flow->grant();
}

void BrowserSignIn::finish(const Result &result)
{
    Done done = std::move(m_done);
    m_done = nullptr;
    if (m_limit)
        m_limit->stop();
    // Let go once back on the loop: this may run inside one of its signals.
    if (m_flow) {
        QOAuth2AuthorizationCodeFlow *flow = m_flow.release();
        flow->disconnect();
        QTimer::singleShot(0, [flow] { delete flow; });
    }
    if (done)
        done(result);
}

} // namespace vesk
