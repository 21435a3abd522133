#include "auth/OAuthTokens.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "support/AuthServerPeer.h"
#include "support/DovecotPeer.h"
#include "support/ProviderFixture.h"
#include "support/SmtpSinkPeer.h"
#include "support/TestCertificates.h"

namespace vesk::test {

using Kind = TestCertificates::Kind;

// Sessions that log in with an access token against servers that judge it
// at the authorization server's introspection endpoint: Dovecot's oauth2
// password database, and aiosmtpd with the two mechanisms.
class OAuthPeer : public ProviderFixture
{
protected:
    void SetUp() override
    {
        ProviderFixture::SetUp();
        QString error;
        m_certificates = TestCertificates::get(&error);
        ASSERT_TRUE(m_certificates) << error.toStdString();
        m_config.TlsCaFile = m_certificates->caFile();
        m_config.Password = QStringLiteral("not-the-password");
    }
    void startAuth(int tokenLength = 40)
    {
        m_auth = std::make_unique<AuthServerPeer>(AuthServerPeer::Options {
            .tokenLength = tokenLength, .refreshToken = QStringLiteral("rt-start") });
        QString error;
        ASSERT_TRUE(m_auth->start(&error)) << error.toStdString();
        m_tokens.setClient({ QStringLiteral("vesk-test"), {}, m_auth->url(QStringLiteral("/authorize")),
                               m_auth->url(QStringLiteral("/token")), QStringLiteral("mail") },
            QStringLiteral("rt-start"));
    }
    void startDovecot()
    {
        startAuth();
        m_dovecot.setTls(m_certificates->certFile(Kind::Good), m_certificates->keyFile(Kind::Good));
        m_dovecot.setOAuth2(m_auth->url(QStringLiteral("/introspect")));
        QString error;
        ASSERT_TRUE(m_dovecot.start(&error)) << error.toStdString();
        m_config.UserID = m_dovecot.user();
    }
    void addMessages()
    {
        for (const char *subject : { "one", "two" })
            ASSERT_TRUE(m_dovecot.addMessage(QByteArray("Subject: ") + subject + "\r\n\r\nbody\r\n"));
    }
    void download(PopAuth auth, Security security = Security::Tls)
    {
        m_monitorLines.clear();
        m_config.POP3_Auth = auth;
        m_config.POP3_Security = security;
        m_config.POP3_ServerVesk = security == Security::Tls ? m_dovecot.tlsPort() : m_dovecot.port();
        session().setTokenSource(&m_tokens);
        session().downLoad();
    }
    // The token that the next session would use, made void at the server.
    void revokeCurrentToken()
    {
        QString error;
        const QString token = m_tokens.accessToken(&error);
        ASSERT_FALSE(token.isEmpty()) << error.toStdString();
        m_auth->revoke(token);
    }
    QString monitor() const { return m_monitorLines.join(u'\n'); }

    const TestCertificates *m_certificates = nullptr;
    std::unique_ptr<AuthServerPeer> m_auth;
    OAuthTokens m_tokens { m_clock, QtTimerFactory::instance(), QtEventPump::instance() };
    DovecotPeer m_dovecot;
};

TEST_F(OAuthPeer, DovecotTakesEitherMechanismOverTlsAndARefusedTokenIsReplacedOnce)
{
    startDovecot();
    for (PopAuth auth : { PopAuth::XOAuth2, PopAuth::OAuthBearer }) {
        for (bool revoked : { false, true }) {
            SCOPED_TRACE(testing::Message() << int(auth) << " revoked " << revoked);
            addMessages();
            if (revoked)
                revokeCurrentToken();
            const qsizetype before = listing(Box::InBox).size();
            download(auth);
            EXPECT_EQ(m_state.marker, QString()) << monitor().toStdString();
            EXPECT_EQ(listing(Box::InBox).size(), before + 2);
            EXPECT_EQ(m_dovecot.messageCount(), 0);
            EXPECT_TRUE(monitor().contains(
                QStringLiteral("<AUTH ") + (auth == PopAuth::XOAuth2 ? "XOAUTH2" : "OAUTHBEARER")));
            EXPECT_FALSE(monitor().contains(QStringLiteral("USER"))) << monitor().toStdString();
            // The server's reason decoded, then one more session.
            EXPECT_EQ(monitor().contains(QStringLiteral("アクセストークンを受け付けませんでした : status ")),
                revoked)
                << monitor().toStdString();
            EXPECT_EQ(monitor().contains(QStringLiteral("もう一度接続します")), revoked);
        }
    }
}

TEST_F(OAuthPeer, NoTokenTravelsInPlainText)
{
    startDovecot();
    addMessages();
    download(PopAuth::XOAuth2, Security::None);
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_TRUE(monitor().contains(QStringLiteral("暗号化されていない接続ではアクセストークンを送りません")));
    EXPECT_FALSE(monitor().contains(QStringLiteral("<AUTH")));
    EXPECT_EQ(m_dovecot.messageCount(), 2);
}

TEST_F(OAuthPeer, AiosmtpdTakesEitherMechanism)
{
    const struct
    {
        SmtpAuth auth;
        const char *mechanism;
        // A short token rides on the AUTH line; a long one, as Microsoft
        // issues, follows the 334.
        int tokenLength;
        const char *authLine;
        bool revoked = false;
    } rows[] = {
        { SmtpAuth::XOAuth2, "XOAUTH2", 40, "<AUTH XOAUTH2 ***" },
        { SmtpAuth::OAuthBearer, "OAUTHBEARER", 2000, "<AUTH OAUTHBEARER\n" },
        { SmtpAuth::XOAuth2, "XOAUTH2", 40, "<AUTH XOAUTH2 ***", true },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.mechanism);
        startAuth(row.tokenLength);
        SmtpSinkPeer sink;
        sink.setTls(QStringLiteral("starttls"), m_certificates->certFile(Kind::Good),
            m_certificates->keyFile(Kind::Good));
        sink.setOAuth(m_auth->url(QStringLiteral("/introspect")));
        QString error;
        ASSERT_TRUE(sink.start(QString(), &error)) << error.toStdString();
        if (row.revoked)
            revokeCurrentToken();
        put(Box::OutBox, QStringLiteral("20261206090000001.ID"),
            "VeskFrom: <taro@example.jp>\r\nVeskTo: <a@example.jp>\r\nSubject: oauth\r\n\r\nbody\r\n");
        m_monitorLines.clear();
        m_config.SMTP_ServerVesk = sink.port();
        m_config.SMTP_Security = Security::StartTls;
        m_config.SMTP_Auth = row.auth;
        session().setTokenSource(&m_tokens);
        EXPECT_TRUE(session().mailSend()) << monitor().toStdString();
        EXPECT_EQ(sink.received().size(), 1);
        EXPECT_TRUE(listing(Box::OutBox).isEmpty());
        EXPECT_TRUE((monitor() + u'\n').contains(QLatin1String(row.authLine))) << monitor().toStdString();
        const auto attempts = sink.authAttempts();
        ASSERT_FALSE(attempts.isEmpty());
        EXPECT_EQ(attempts.last().mechanism, QLatin1String(row.mechanism));
        EXPECT_EQ(attempts.last().login, QStringLiteral("taro"));
        EXPECT_TRUE(attempts.last().success);
        // A refused token: the status decoded, the exchange ended as the
        // mechanism asks (an empty line for XOAUTH2), then a fresh token.
        EXPECT_EQ(attempts.size(), row.revoked ? 3 : 1);
        if (row.revoked) {
            EXPECT_EQ(attempts[1].mechanism, QStringLiteral("XOAUTH2-answer"));
            EXPECT_EQ(attempts[1].login, QString());
            EXPECT_TRUE(monitor().contains(QStringLiteral("status 401 scope https://mail.example/")));
        }
    }
}

} // namespace vesk::test
