#include "VeskProcess.h"

#include "settings/PasswordCodec.h"
#include "support/AuthServerPeer.h"
#include "support/DovecotPeer.h"
#include "support/FreePort.h"
#include "support/RunProgram.h"
#include "support/SmtpSinkPeer.h"
#include "support/TestCertificates.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace vesk::test {

using Kind = TestCertificates::Kind;

// The program as a user of an OAuth-only provider runs it: a refresh token
// from an earlier sign-in is all it has, and it collects and sends.
TEST(OAuthEndToEnd, ARefreshTokenAloneCollectsAndSendsAndNoTokenIsLeftOnDisk)
{
    QString error;
    const TestCertificates *certificates = TestCertificates::get(&error);
    ASSERT_TRUE(certificates) << error.toStdString();
    AuthServerPeer auth({ .refreshToken = QStringLiteral("rt-start") });
    ASSERT_TRUE(auth.start(&error)) << error.toStdString();
    const QString introspect = auth.url(QStringLiteral("/introspect"));
    DovecotPeer pop;
    pop.setTls(certificates->certFile(Kind::Good), certificates->keyFile(Kind::Good));
    pop.setOAuth2(introspect);
    ASSERT_TRUE(pop.start(&error)) << error.toStdString();
    for (const char *subject : { "one", "two" })
        ASSERT_TRUE(pop.addMessage(QByteArray("Subject: ") + subject + "\r\n\r\nbody\r\n"));
    SmtpSinkPeer smtp;
    smtp.setTls(
        QStringLiteral("starttls"), certificates->certFile(Kind::Good), certificates->keyFile(Kind::Good));
    smtp.setOAuth(introspect);
    ASSERT_TRUE(smtp.start(QString(), &error)) << error.toStdString();

    VeskHome home;
    // The tests' own authority in place of the system's.
    home.setEnv(QStringLiteral("SSL_CERT_FILE"), certificates->caFile());
    home.writeIni(QStringLiteral("[Config]\nServerON=1\nHost=127.0.0.1\nUserID=taro\nFirstDelay=59\n"
                                 "POP3_Security=2\nPOP3_ServerVesk=%1\nSMTP_Security=1\nSMTP_ServerVesk=%2\n"
                                 "POP3_VeskMailer1=%3\nSMTP_VeskMailer1=%4\nPOP3_Auth=2\nSMTP_Auth=5\n"
                                 "OAuth_ClientID=vesk-test\nOAuth_AuthUrl=%5\nOAuth_TokenUrl=%6\n"
                                 "OAuth_RefreshToken=%7\nDebugWindow=1\n")
                      .arg(pop.tlsPort())
                      .arg(smtp.port())
                      .arg(freePort())
                      .arg(freePort())
                      .arg(auth.url(QStringLiteral("/authorize")), auth.url(QStringLiteral("/token")),
                          PasswordCodec::encode(QStringLiteral("rt-start"))));
    ASSERT_TRUE(QDir().mkpath(home.dataDir() + QStringLiteral("/OutBox")));
    ASSERT_TRUE(writeFile(home.dataDir() + QStringLiteral("/OutBox/20261206090000001.ID"),
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <hanako@example.jp>\r\nSubject: out\r\n\r\nhello\r\n"));

    auto vesk = home.start({ QStringLiteral("--headless") });
    ASSERT_TRUE(waitFor([&] { return home.run({ QStringLiteral("--status") }) == 0; }, 20000))
        << home.log().toStdString();
    QString out;
    EXPECT_EQ(home.run({ QStringLiteral("--check") }, &out), 0)
        << out.toStdString() << home.log().toStdString();
    EXPECT_EQ(home.count(QStringLiteral("InBox")), 2);
    EXPECT_EQ(pop.messageCount(), 0);
    EXPECT_EQ(smtp.received().size(), 1);
    EXPECT_EQ(home.count(QStringLiteral("OutBox")), 0);
    EXPECT_TRUE(home.log().contains(QStringLiteral("<AUTH OAUTHBEARER"))) << home.log().toStdString();
    EXPECT_EQ(home.run({ QStringLiteral("--quit") }), 0);
    ASSERT_TRUE(vesk->waitForFinished(20000));

    // The provider's new refresh token replaced the old one: in the keyring
    // where one answers (run under with-keyring.sh), else encoded; no token
    // is anywhere in the settings in plain text.
    QFile ini(home.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray stored = ini.readAll();
    if (qgetenv("VESK_KEYRING_MODE") == "keyring") {
        EXPECT_TRUE(stored.contains("OAuth_RefreshToken=..keyring\n")) << stored.toStdString();
        const QString kept = QString::fromUtf8(runProgram(QStringLiteral("secret-tool"),
            { QStringLiteral("lookup"), QStringLiteral("setting"), QStringLiteral("OAuth_RefreshToken") })
                                                   .out);
        EXPECT_TRUE(kept.startsWith(QStringLiteral("rt-")) && kept != QStringLiteral("rt-start"))
            << kept.toStdString();
    } else {
        EXPECT_TRUE(stored.contains("OAuth_RefreshToken=.."));
        EXPECT_FALSE(stored.contains(
            "OAuth_RefreshToken=" + PasswordCodec::encode(QStringLiteral("rt-start")).toUtf8()));
    }
    for (const char *token : { "rt-", "at-" })
        EXPECT_FALSE(stored.contains(token)) << token;
}

} // namespace vesk::test
