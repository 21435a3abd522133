#include "auth/OAuthTokens.h"
#include "auth/ProviderTokens.h"
#include "auth/TokenCommand.h"
#include "platform/CommandRunner.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "support/AuthServerPeer.h"
#include "support/FakeClock.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/WaitFor.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace vesk::test {

TEST(TokenCommandTest, TheFirstLineIsTheTokenAndAFailureSaysWhy)
{
    const struct
    {
        const char *command;
        const char *token;
        const char *error = "";
    } rows[] = {
        { "printf 'tok-1\\nsecond line\\n'", "tok-1" },
        { "printf '  tok-2  \\r\\n'", "tok-2" },
        { "echo partial; exit 3", "", "終了コード 3" },
        { "true", "", "何も出力しませんでした" },
        { "echo 'two words'", "", "トークンではありません" },
        { "", "", "設定されていません" },
    };
    QtCommandRunner runner;
    TokenCommand command(runner, QtTimerFactory::instance(), QtEventPump::instance());
    for (const auto &row : rows) {
        SCOPED_TRACE(row.command);
        command.setCommand(QString::fromUtf8(row.command));
        QString error;
        EXPECT_EQ(command.accessToken(&error), QString::fromUtf8(row.token));
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.error))) << error.toStdString();
    }
}

TEST(TokenCommandTest, AHangingCommandIsStoppedAtTheLimit)
{
    FakeClock clock;
    FakeTimerFactory timers(&clock);
    FakeEventPump pump;
    pump.timers = &timers;
    pump.serveEventLoop = true;
    QtCommandRunner runner;
    TokenCommand command(runner, timers, pump);
    command.setCommand(QStringLiteral("sleep 61.25; echo too-late"));
    QString error;
    EXPECT_TRUE(command.accessToken(&error).isEmpty());
    // What the shell started is stopped with it.
    const auto sleeping = [] {
        return QProcess::execute(QStringLiteral("pgrep"), { QStringLiteral("-f"), QStringLiteral("^sleep 61.25$") }) == 0;
    };
    EXPECT_TRUE(waitFor([&] { return !sleeping(); }, 5000));
    EXPECT_TRUE(error.contains(QStringLiteral("30 秒"))) << error.toStdString();
    EXPECT_EQ(pump.waitedMs, TokenCommand::LimitMs);
}

class OAuthTokensTest : public ::testing::Test
{
protected:
    void start(AuthServerPeer::Options options)
    {
        m_server = std::make_unique<AuthServerPeer>(std::move(options));
        QString error;
        ASSERT_TRUE(m_server->start(&error)) << error.toStdString();
    }
    OAuthClient client() const
    {
        return { QStringLiteral("vesk-test"), {}, m_server->url(QStringLiteral("/authorize")),
            m_server->url(QStringLiteral("/token")), QStringLiteral("mail offline_access") };
    }
    int grants(const char *grant) const
    {
        int count = 0;
        for (const QJsonObject &request : m_server->requests())
            count += request.value(QLatin1String("grant")).toString() == QLatin1String(grant);
        return count;
    }

    FakeClock m_clock;
    std::unique_ptr<AuthServerPeer> m_server;
};

TEST_F(OAuthTokensTest, RenewedBeforeItLapsesAndOnceMoreAfterARefusal)
{
    start({ .expiresSeconds = 3600, .refreshToken = QStringLiteral("rt-start") });
    OAuthTokens tokens(m_clock, QtTimerFactory::instance(), QtEventPump::instance());
    QStringList saved;
    tokens.setRefreshTokenSaver([&](const QString &token) { saved << token; });
    tokens.setClient(client(), QStringLiteral("rt-start"));
    QString error;
    const QString first = tokens.accessToken(&error);
    ASSERT_FALSE(first.isEmpty()) << error.toStdString();
    // The provider rotated the refresh token: the new one is kept at once.
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved[0].startsWith(QStringLiteral("rt-")));

    const struct
    {
        const char *step;
        qint64 advanceSeconds;
        bool rejected;
        bool fresh;
    } steps[] = {
        { "still valid", 3600 - OAuthTokens::MarginSeconds - 1, false, false },
        { "within the margin", 2, false, true },
        { "refused by the server", 0, true, true },
    };
    QString last = first;
    int refreshes = 1;
    for (const auto &step : steps) {
        SCOPED_TRACE(step.step);
        m_clock.advanceMs(step.advanceSeconds * 1000);
        if (step.rejected)
            EXPECT_TRUE(tokens.rejected());
        const QString token = tokens.accessToken(&error);
        EXPECT_EQ(token != last, step.fresh);
        refreshes += step.fresh;
        EXPECT_EQ(grants("refresh_token"), refreshes);
        last = token;
    }
}

TEST_F(OAuthTokensTest, WithoutAUsableRefreshTokenTheUserIsToldToSignIn)
{
    start({});
    OAuthTokens tokens(m_clock, QtTimerFactory::instance(), QtEventPump::instance());
    const struct
    {
        const char *refreshToken;
        const char *error;
        const char *tokenUrl = nullptr; // the server's own
    } rows[] = {
        { "", "ブラウザでサインイン" },
        { "rt-withdrawn", "invalid_grant" },
        // The refresh token never goes out readable.
        { "rt-start", "https://", "http://auth.example.jp/token" },
    };
    for (const auto &row : rows) {
        OAuthClient other = client();
        if (row.tokenUrl)
            other.tokenUrl = QString::fromUtf8(row.tokenUrl);
        tokens.setClient(other, QString::fromUtf8(row.refreshToken));
        QString error;
        EXPECT_TRUE(tokens.accessToken(&error).isEmpty());
        EXPECT_TRUE(error.contains(QString::fromUtf8(row.error))) << error.toStdString();
    }
}

TEST_F(OAuthTokensTest, ASilentTokenEndpointIsLeftAtTheLimit)
{
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    FakeTimerFactory timers(&m_clock);
    FakeEventPump pump;
    pump.timers = &timers;
    pump.serveEventLoop = true;
    OAuthTokens tokens(m_clock, timers, pump);
    const QString url = QStringLiteral("http://127.0.0.1:%1/token").arg(silent.serverPort());
    tokens.setClient({ QStringLiteral("vesk-test"), {}, url, url, {} }, QStringLiteral("rt"));
    QString error;
    EXPECT_TRUE(tokens.accessToken(&error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("30 秒"))) << error.toStdString();
}

TEST_F(OAuthTokensTest, TheBrowserSignInKeepsTheRefreshTokenAndServesTheFirstSession)
{
    start({});
    QtCommandRunner runner;
    ProviderTokens tokens(m_clock, QtTimerFactory::instance(), QtEventPump::instance(), runner);
    QStringList saved;
    tokens.setRefreshTokenSaver([&](const QString &token) { saved << token; });
    // The browser: follows the provider's redirect to our loopback port.
    QNetworkAccessManager browser;
    QList<QUrl> opened;
    const auto open = [&](const QUrl &url) {
        opened << url;
        QNetworkRequest request(url);
        request.setAttribute(
            QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        QNetworkReply *reply = browser.get(request);
        QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
        return true;
    };
    std::optional<std::pair<bool, QString>> result;
    tokens.signIn(client(), open, [&](bool ok, const QString &text) { result = { ok, text }; });
    ASSERT_TRUE(waitFor([&] { return result.has_value(); }, 20000));
    EXPECT_TRUE(result->first) << result->second.toStdString();
    EXPECT_TRUE(result->second.contains(QStringLiteral("サインインしました")));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].query().contains(QStringLiteral("redirect_uri=http")));
    EXPECT_TRUE(opened[0].query().contains(QStringLiteral("127.0.0.1")));
    ASSERT_EQ(saved.size(), 1);
    // The access token of the sign-in serves without another request.
    QString error;
    EXPECT_FALSE(tokens.accessToken(&error).isEmpty()) << error.toStdString();
    EXPECT_EQ(grants("authorization_code"), 1);
    EXPECT_EQ(grants("refresh_token"), 0);
}

} // namespace vesk::test
