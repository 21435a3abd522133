#include "PeerMessages.h"

#include "support/DovecotPeer.h"
#include "support/ProviderFixture.h"
#include "support/ScriptedProvider.h"
#include "support/SmtpSinkPeer.h"
#include "support/TestCertificates.h"

#include <QNetworkInterface>

namespace vesk::test {

using Kind = TestCertificates::Kind;

// Provider sessions over TLS, with the tests' own certificate authority.
class TlsSession : public ProviderFixture
{
protected:
    void SetUp() override
    {
        ProviderFixture::SetUp();
        QString error;
        m_certificates = TestCertificates::get(&error);
        ASSERT_TRUE(m_certificates) << error.toStdString();
        m_config.TlsCaFile = m_certificates->caFile();
    }
    void startDovecot(Kind kind, const QString &listen = QStringLiteral("127.0.0.1"))
    {
        m_dovecot.setTls(m_certificates->certFile(kind), m_certificates->keyFile(kind));
        m_dovecot.setListen(listen);
        QString error;
        ASSERT_TRUE(m_dovecot.start(&error)) << error.toStdString();
        for (const QByteArray &message : peerMessages())
            ASSERT_TRUE(m_dovecot.addMessage(message));
        m_config.UserID = m_dovecot.user();
        m_config.Password = m_dovecot.password();
    }
    void download(Security security)
    {
        m_config.POP3_Security = security;
        m_config.POP3_ServerVesk = security == Security::Tls ? m_dovecot.tlsPort() : m_dovecot.port();
        session().downLoad();
    }
    void startSink(const QString &mode, Kind kind = Kind::Good)
    {
        m_sink = std::make_unique<SmtpSinkPeer>();
        if (mode != QStringLiteral("none"))
            m_sink->setTls(mode, m_certificates->certFile(kind), m_certificates->keyFile(kind));
        m_sink->setAuth(QStringLiteral("jiro"), QStringLiteral("smtp-pass"));
        QString error;
        ASSERT_TRUE(m_sink->start(QString(), &error)) << error.toStdString();
        m_config.SMTP_ServerVesk = m_sink->port();
        m_config.SMTP_UserID = QStringLiteral("jiro");
        m_config.SMTP_Password = QStringLiteral("smtp-pass");
        put(Box::OutBox, QStringLiteral("20261206090000001.ID"),
            "VeskFrom: <jiro@example.jp>\r\nVeskTo: <a@example.jp>\r\nSubject: tls\r\n\r\nbody\r\n");
    }
    QString monitor() const { return m_monitorLines.join(u'\n'); }
    // Nothing of the login went out.
    void expectNoLoginSent()
    {
        for (const char *command : { "<USER", "<PASS", "<APOP", "<AUTH" })
            EXPECT_FALSE(monitor().contains(QLatin1String(command))) << command;
    }

    const TestCertificates *m_certificates = nullptr;
    DovecotPeer m_dovecot;
    std::unique_ptr<SmtpSinkPeer> m_sink;
};

TEST_F(TlsSession, Pop3sAndStlsCollectEverything)
{
    startDovecot(Kind::Good);
    for (Security security : { Security::StartTls, Security::Tls }) {
        // One way by address, the other by a name the certificate carries.
        m_config.Host = security == Security::Tls ? QStringLiteral("localhost") : QStringLiteral("127.0.0.1");
        const qsizetype before = listing(Box::InBox).size();
        m_monitorLines.clear();
        download(security);
        EXPECT_EQ(m_state.marker, QString()) << monitor().toStdString();
        EXPECT_EQ(listing(Box::InBox).size(), before + 3);
        EXPECT_EQ(m_dovecot.messageCount(), 0);
        EXPECT_TRUE(monitor().contains(QStringLiteral("VeskTalk< 暗号化 TLSv1.3")));
        EXPECT_TRUE(monitor().contains(QStringLiteral("<PASS ********")));
        for (const QByteArray &message : peerMessages())
            ASSERT_TRUE(m_dovecot.addMessage(message));
    }
}

TEST_F(TlsSession, AnUnprovableServerNeverSeesTheLogin)
{
    const struct
    {
        Kind kind;
        Security security;
        const char *reason;
        const char *host = "127.0.0.1";
    } rows[] = {
        { Kind::WrongHost, Security::Tls, "TLS_CERT_HOSTNAME" },
        // A provider is reached by name: the name is what the certificate
        // must carry (an address is checked another way).
        { Kind::WrongHost, Security::StartTls, "TLS_CERT_HOSTNAME", "localhost" },
        { Kind::SelfSigned, Security::StartTls, "TLS_CERT_UNTRUSTED" },
        { Kind::Expired, Security::Tls, "TLS_CERT_EXPIRED" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.reason);
        m_config.Host = QString::fromLatin1(row.host);
        m_dovecot.stop();
        m_monitorLines.clear();
        m_host.connErrors = 0;
        startDovecot(row.kind);
        const qsizetype logins = m_dovecot.log().count(QStringLiteral("Login: user="));
        download(row.security);
        EXPECT_EQ(m_state.marker, QStringLiteral("x"));
        EXPECT_EQ(m_host.connErrors, 1);
        EXPECT_TRUE(monitor().contains(QLatin1String(row.reason))) << monitor().toStdString();
        expectNoLoginSent();
        EXPECT_EQ(m_dovecot.log().count(QStringLiteral("Login: user=")), logins);
        EXPECT_EQ(m_dovecot.messageCount(), 3);
    }
}

TEST_F(TlsSession, TheProviderAnswersOnIpv6Loopback)
{
    bool loopback6 = false;
    for (const QHostAddress &address : QNetworkInterface::allAddresses())
        loopback6 = loopback6 || address == QHostAddress::LocalHostIPv6;
    if (!loopback6)
        GTEST_SKIP() << "no IPv6 loopback";
    startDovecot(Kind::Good, QStringLiteral("::1"));
    m_config.Host = QStringLiteral("::1");
    download(Security::Tls);
    EXPECT_EQ(m_state.marker, QString()) << monitor().toStdString();
    EXPECT_EQ(listing(Box::InBox).size(), 3);
}

TEST_F(TlsSession, SmtpLogsInOverTlsWithEachMechanism)
{
    const struct
    {
        const char *tls;
        SmtpAuth auth;
        const char *mechanism;
    } rows[] = {
        { "starttls", SmtpAuth::Plain, "PLAIN" },
        { "starttls", SmtpAuth::Login, "LOGIN" },
        { "starttls", SmtpAuth::CramMd5, "CRAM-MD5" },
        { "smtps", SmtpAuth::Automatic, "PLAIN" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.mechanism);
        startSink(QLatin1String(row.tls));
        m_config.SMTP_Security = QLatin1String(row.tls) == "smtps" ? Security::Tls : Security::StartTls;
        m_config.SMTP_Auth = row.auth;
        EXPECT_TRUE(session().mailSend()) << monitor().toStdString();
        EXPECT_TRUE(listing(Box::OutBox).isEmpty());
        ASSERT_EQ(m_sink->received().size(), 1);
        const auto attempts = m_sink->authAttempts();
        ASSERT_EQ(attempts.size(), 1);
        EXPECT_EQ(attempts[0].mechanism, QLatin1String(row.mechanism));
        EXPECT_EQ(attempts[0].login, QStringLiteral("jiro"));
        EXPECT_TRUE(attempts[0].tls);
        EXPECT_TRUE(attempts[0].success);
        for (const QByteArray &secret : { QByteArray("\0jiro\0smtp-pass", 15), QByteArray("smtp-pass") })
            EXPECT_FALSE(monitor().contains(QString::fromLatin1(secret.toBase64())));
    }
}

TEST_F(TlsSession, SmtpRefusalsKeepTheOutBox)
{
    const struct
    {
        const char *name;
        const char *tls;
        Kind kind;
        SmtpAuth auth;
        const char *password;
        int attempts;
    } rows[] = {
        // Refused by the server.
        { "wrong password", "starttls", Kind::Good, SmtpAuth::Plain, "wrong", 1 },
        // Refused by Vesk before anything secret went out.
        { "self-signed", "starttls", Kind::SelfSigned, SmtpAuth::Plain, "smtp-pass", 0 },
        { "plain text", "none", Kind::Good, SmtpAuth::Plain, "smtp-pass", 0 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        startSink(QLatin1String(row.tls), row.kind);
        m_config.SMTP_Security = QLatin1String(row.tls) == "none" ? Security::None : Security::StartTls;
        m_config.SMTP_Auth = row.auth;
        m_config.SMTP_Password = QLatin1String(row.password);
        EXPECT_FALSE(session().mailSend());
        EXPECT_EQ(listing(Box::OutBox).size(), 1);
        EXPECT_TRUE(m_sink->received().isEmpty());
        EXPECT_EQ(m_sink->authAttempts().size(), row.attempts);
    }
}

// A server that leaves out STLS or STARTTLS, or slips plain text in after
// agreeing to it, gets no login.
TEST_F(TlsSession, StrippedOrInjectedEncryptionIsRefused)
{
    const struct
    {
        const char *name;
        bool smtp;
        QList<ScriptedProvider::Step> steps;
        QList<QByteArray> expected;
        const char *said;
    } rows[] = {
        { "no STLS", false, { { "CAPA", "+OK\r\nUSER\r\nSASL PLAIN\r\n.\r\n" }, { "QUIT", "+OK\r\n" } },
            { "CAPA", "QUIT" }, "STLS（暗号化）に応じない" },
        { "no CAPA", false, { { "CAPA", "-ERR what?\r\n" }, { "QUIT", "+OK\r\n" } }, { "CAPA", "QUIT" },
            "STLS（暗号化）に応じない" },
        { "injected after STLS", false,
            { { "CAPA", "+OK\r\nSTLS\r\n.\r\n" }, { "STLS", "+OK go ahead\r\n+OK injected\r\n" } },
            { "CAPA", "STLS" }, "暗号化の開始の後に" },
        // Agreed, then waits in plain text: the watchdog ends it, and says why.
        { "no handshake after STLS", false, { { "CAPA", "+OK\r\nSTLS\r\n.\r\n" }, { "STLS", "+OK go ahead\r\n" } },
            { "CAPA", "STLS" }, "暗号化を始めない" },
        { "no STARTTLS", true,
            { { "", "250-smtp.example.jp\r\n250 AUTH PLAIN LOGIN\r\n" }, { "QUIT", "221 bye\r\n" } },
            { "EHLO", "QUIT" }, "STARTTLS（暗号化）に応じない" },
    };
    m_config.OverTime = 2;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        m_monitorLines.clear();
        ScriptedProvider provider;
        provider.addGreeting(row.smtp ? "220 smtp.example.jp ESMTP\r\n" : "+OK ready\r\n");
        for (const ScriptedProvider::Step &step : row.steps)
            provider.add(step.expect, step.reply);
        if (row.smtp) {
            m_config.SMTP_Security = Security::StartTls;
            m_config.SMTP_Auth = SmtpAuth::Plain;
            m_config.SMTP_ServerVesk = provider.port();
            put(Box::OutBox, QStringLiteral("1.ID"), "VeskTo: <a@example.jp>\r\n\r\nx\r\n");
            EXPECT_FALSE(session().mailSend());
        } else {
            m_config.POP3_Security = Security::StartTls;
            m_config.POP3_ServerVesk = provider.port();
            EXPECT_EQ(session().downLoad(), 0);
        }
        EXPECT_EQ(m_state.marker, QStringLiteral("x"));
        QList<QByteArray> received;
        for (const QByteArray &line : provider.received)
            received << line.split(' ').first();
        EXPECT_EQ(received, row.expected);
        EXPECT_TRUE(monitor().contains(QString::fromUtf8(row.said))) << monitor().toStdString();
    }
}

} // namespace vesk::test
