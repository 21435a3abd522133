#include "JudgeFixture.h"

namespace vesk::test {

class SecureDialogue : public JudgeFixture
{
protected:
    // Greeting and EHLO answered with `capabilities`.
    void ehlo(const Lines &capabilities)
    {
        m_judge.beginUpload();
        m_link.restartWatchdog();
        reply("220 smtp.example.jp ESMTP");
        EXPECT_EQ(sent(), Lines { "EHLO vesk-host" });
        reply("250-smtp.example.jp");
        for (qsizetype i = 0; i < capabilities.size(); ++i)
            reply((i + 1 < capabilities.size() ? "250-" : "250 ") + capabilities[i]);
    }
    QString monitor() const { return m_monitorLines.join(u'\n'); }
    void reply(const QByteArray &line) { m_judge.judge(line); }
    Lines sent() { return m_link.take(); }
};

TEST_F(SecureDialogue, TheLoginMechanismIsChosenAndPlainTextKeepsThePassword)
{
    const struct
    {
        SmtpAuth auth;
        bool encrypted;
        bool plainAllowed;
        QByteArray offered;
        QByteArray expected; // the command's start; QUIT: refused
    } rows[] = {
        { SmtpAuth::Automatic, true, false, "AUTH CRAM-MD5 LOGIN PLAIN", "AUTH PLAIN " },
        { SmtpAuth::Automatic, false, false, "AUTH PLAIN LOGIN CRAM-MD5", "AUTH CRAM-MD5" },
        { SmtpAuth::Automatic, false, false, "AUTH PLAIN LOGIN", "QUIT" },
        { SmtpAuth::Plain, false, false, "AUTH PLAIN", "QUIT" },
        { SmtpAuth::Plain, false, true, "AUTH PLAIN", "AUTH PLAIN " },
        { SmtpAuth::Login, true, false, "AUTH=LOGIN", "AUTH LOGIN" },
        { SmtpAuth::CramMd5, true, false, "AUTH PLAIN", "QUIT" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.offered.toStdString() + " -> " + row.expected.toStdString());
        m_config.SMTP_Auth = row.auth;
        m_config.SMTP_AuthPlain = row.plainAllowed;
        m_link.encrypted = row.encrypted;
        m_state.marker = QStringLiteral(".");
        m_monitorLines.clear();
        ehlo({ "PIPELINING", row.offered });
        const Lines lines = sent();
        ASSERT_EQ(lines.size(), 1);
        EXPECT_TRUE(lines[0].startsWith(row.expected)) << lines[0].toStdString();
        if (row.expected == "AUTH PLAIN ") {
            EXPECT_FALSE(monitor().contains(QString::fromLatin1(lines[0])));
            EXPECT_TRUE(monitor().contains(QStringLiteral("<AUTH PLAIN ****")));
        }
        m_judge.setClientState(ClientIdle);
    }
}

TEST_F(SecureDialogue, LoginAndCramMd5AnswerTheirChallengesUnseenByTheMonitor)
{
    m_link.encrypted = true;
    m_config.SMTP_UserID = QStringLiteral("joe");
    m_config.SMTP_Password = QStringLiteral("tanstaaftanstaaf");
    m_config.SMTP_Auth = SmtpAuth::Login;
    ehlo({ "AUTH LOGIN CRAM-MD5" });
    EXPECT_EQ(sent(), Lines { "AUTH LOGIN" });
    reply("334 VXNlcm5hbWU6");
    reply("334 UGFzc3dvcmQ6");
    EXPECT_EQ(sent(), (Lines { "am9l", "dGFuc3RhYWZ0YW5zdGFhZg==" }));
    reply("235 ok");
    EXPECT_EQ(sent(), Lines { "RSET" });

    // RFC 2195's own example.
    m_config.SMTP_Auth = SmtpAuth::CramMd5;
    m_judge.setClientState(ClientIdle);
    ehlo({ "AUTH LOGIN CRAM-MD5" });
    EXPECT_EQ(sent(), Lines { "AUTH CRAM-MD5" });
    reply("334 PDE4OTYuNjk3MTcwOTUyQHBvc3RvZmZpY2UucmVzdG9uLm1jaS5uZXQ+");
    EXPECT_EQ(sent(), Lines { "am9lIGI5MTNhNjAyYzdlZGE3YTQ5NWI0ZTZlNzMzNGQzODkw" });
    reply("535 no");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));

    for (const char *secret : { "am9l", "dGFuc3RhYWZ0YW5zdGFhZg==", "am9lIGI5MTNh" })
        EXPECT_FALSE(monitor().contains(QLatin1String(secret))) << secret;
    EXPECT_EQ(ProtocolMonitor::masked(QStringLiteral("<AUTH PLAIN AGpvZQB0"), QString()),
        QStringLiteral("<AUTH PLAIN ********"));
}

TEST_F(SecureDialogue, WhatThePlainServerOfferedCountsForNothingAfterStartTls)
{
    m_config.SMTP_Security = Security::StartTls;
    m_config.SMTP_Auth = SmtpAuth::Plain;
    ehlo({ "STARTTLS", "AUTH PLAIN" });
    EXPECT_EQ(sent(), Lines { "STARTTLS" });
    reply("220 go ahead");
    EXPECT_EQ(m_link.tlsStarts, 1);
    EXPECT_TRUE(sent().isEmpty());
    m_judge.encryptionStarted();
    EXPECT_EQ(sent(), Lines { "EHLO vesk-host" });
    reply("250 smtp.example.jp");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_TRUE(monitor().contains(QStringLiteral("認証方式")));
}

} // namespace vesk::test
