#include "ScriptedProvider.h"
#include "SessionFixture.h"

#include "session/ProviderConnection.h"

namespace vesk::test {

using Lines = QList<QByteArray>;
using Then = ScriptedProvider::Then;

class ProviderSessionTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        m_config.POP3_ServerVesk = m_provider.port();
        m_config.SMTP_ServerVesk = m_provider.port();
    }
    void login(int count)
    {
        m_provider.addGreeting("+OK ready\r\n");
        m_provider.answer("USER taro", "+OK");
        m_provider.answer("PASS pa55word", "+OK logged in");
        m_provider.answer("STAT", "+OK " + QByteArray::number(count) + " 900");
    }
    // LIST, RETR answered with the text and its terminator in one packet, DELE.
    void serve(int n, const QByteArray &text)
    {
        const QByteArray number = QByteArray::number(n);
        m_provider.answer("LIST " + number, "+OK " + number + ' ' + QByteArray::number(text.size()));
        m_provider.add(
            "RETR " + number, "+OK " + QByteArray::number(text.size()) + " octets\r\n" + text + ".\r\n");
        m_provider.answer("DELE " + number, "+OK deleted");
    }

    ScriptedProvider m_provider;
};

TEST_F(ProviderSessionTest, DownloadsOverTheConnectionAndClosesTheLocalServersMeanwhile)
{
    login(2);
    serve(2, "Subject: two\r\n\r\n..dot\r\nlast line\r\n");
    serve(1, "Subject: one\r\n\r\nbody\r\n");
    m_provider.answer("QUIT", "+OK bye");

    EXPECT_EQ(session().downLoad(), 2);
    EXPECT_EQ(m_state.marker, QString());
    EXPECT_TRUE(m_provider.mismatches.isEmpty()) << m_provider.mismatches.join(", ").constData();
    EXPECT_FALSE(m_provider.stepsLeft());
    EXPECT_EQ(
        inFiles(), (Lines { "Subject: two\r\n\r\n..dot\r\nlast line\r\n", "Subject: one\r\n\r\nbody\r\n" }));
    EXPECT_EQ(m_host.calls, (QStringList { QStringLiteral("close"), QStringLiteral("reopen") }));
    EXPECT_EQ(m_host.started, QStringList { QStringLiteral("12/6 9:05") });
    EXPECT_EQ(m_host.connErrors, 0);
    EXPECT_EQ(m_monitorLines.value(0), QStringLiteral("----- Server > Vesk -----"));
    EXPECT_TRUE(m_monitorLines.contains(QStringLiteral("<PASS ********")));
    EXPECT_FALSE(m_monitorLines.join('\n').contains(QStringLiteral("pa55word")));
    EXPECT_FALSE(session().connection().active());
}

TEST_F(ProviderSessionTest, ErrToPassEndsInTheConnectionErrorHandling)
{
    m_provider.addGreeting("+OK ready\r\n");
    m_provider.answer("USER taro", "+OK");
    m_provider.answer("PASS pa55word", "-ERR [AUTH] Authentication failed.");
    m_provider.answer("QUIT", "+OK");

    EXPECT_EQ(session().downLoad(), 0);
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(m_host.connErrors, 1);
    EXPECT_EQ(m_host.minuteRestarts, 1);
    EXPECT_EQ(m_provider.received, (Lines { "USER taro", "PASS pa55word", "QUIT" }));
    EXPECT_TRUE(m_monitorLines.contains(QStringLiteral("VeskTalk< Failed ! >")));
    EXPECT_EQ(m_host.calls.last(), QStringLiteral("reopen"));
}

TEST_F(ProviderSessionTest, TheWatchdogAbandonsASilentServer)
{
    m_provider.addGreeting(QByteArray()); // connects, never says a word
    EXPECT_EQ(session(true).downLoad(), 0);
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(m_host.connErrors, 1);
    EXPECT_GE(m_fakeTimers.elapsed(), 300 * 1000);
    EXPECT_TRUE(m_provider.received.isEmpty());
    EXPECT_FALSE(session().connection().active());
}

TEST_F(ProviderSessionTest, DoublePassReconnectsWhenTheGreetingDoesNotCome)
{
    m_config.DoublePass = true;
    m_provider.addGreeting(QByteArray());
    login(0);
    m_provider.answer("QUIT", "+OK");
    EXPECT_EQ(session(true).downLoad(), 0);
    EXPECT_EQ(m_state.marker, QString());
    EXPECT_EQ(m_provider.connections, 2);
    EXPECT_TRUE(m_monitorLines.contains(QStringLiteral("---- Re-authenticate ----")));
}

TEST_F(ProviderSessionTest, AProviderGoneInTheMiddleOfAMessageLeavesNothingBehind)
{
    login(1);
    m_provider.answer("LIST 1", "+OK 1 500");
    m_provider.add("RETR 1", "+OK 500 octets\r\nSubject: half\r\n\r\nonly the first ", Then::Close);
    EXPECT_EQ(session(true).downLoad(), 0);
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_TRUE(inBox().isEmpty());
    EXPECT_FALSE(m_provider.received.contains("DELE 1"));
    // Ended by the close itself, not by the watchdog minutes later.
    EXPECT_LT(m_fakeTimers.elapsed(), 300 * 1000);
}

TEST_F(ProviderSessionTest, AProviderGoneBetweenMessagesKeepsWhatWasStoredOnce)
{
    login(2);
    serve(2, "Subject: two\r\n\r\nb\r\n");
    m_provider.add("LIST 1", QByteArray(), Then::Close);
    EXPECT_EQ(session(true).downLoad(), 1);
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(inFiles(), Lines { "Subject: two\r\n\r\nb\r\n" });
    EXPECT_TRUE(m_provider.received.contains("DELE 2"));
    EXPECT_FALSE(m_provider.received.contains("RETR 1"));
}

TEST_F(ProviderSessionTest, ARefusedConnectionIsAConnectionError)
{
    m_config.POP3_ServerVesk = 1; // nothing listens there
    EXPECT_EQ(session().downLoad(), 0);
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(m_host.connErrors, 1);
    EXPECT_TRUE(m_monitorLines.join('\n').contains(QStringLiteral("WSAECONNREFUSED")));
}

TEST_F(ProviderSessionTest, AnIncompleteAccountMakesNoConnection)
{
    m_config.UserID.clear();
    EXPECT_EQ(session().downLoad(), 0);
    EXPECT_EQ(m_provider.connections, 0);
    EXPECT_TRUE(m_host.started.isEmpty());
}

TEST_F(ProviderSessionTest, AnEmptyOutBoxMakesNoConnection)
{
    EXPECT_TRUE(session().mailSend());
    EXPECT_EQ(m_provider.connections, 0);
    EXPECT_EQ(m_state.marker, QString());
}

TEST_F(ProviderSessionTest, UploadsEveryFileAndDeletesEachOnceAccepted)
{
    QByteArray longText = "Subject: long\r\n\r\n";
    for (int i = 0; i < 1000; ++i)
        longText += (i % 7 == 0 ? "..dot line " : "line ") + QByteArray::number(i) + "\r\n";
    putOut(QStringLiteral("1.ID"), "VeskFrom: <taro@example.jp>\r\nVeskTo: <a@example.jp>\r\n" + longText);
    putOut(QStringLiteral("2.ID"), "VeskFrom: <taro@example.jp>\r\nVeskTo: <b@example.jp>\r\n\r\nshort\r\n");

    m_provider.addGreeting("220 smtp ready\r\n");
    m_provider.answer("", "250 hello");
    m_provider.answer("RSET", "250 ok");
    for (const char *to : { "a@example.jp", "b@example.jp" }) {
        m_provider.answer("MAIL FROM: <taro@example.jp>", "250 ok");
        m_provider.answer("RCPT TO: <" + QByteArray(to) + ">", "250 ok");
        m_provider.add("DATA", "354 go ahead\r\n", Then::Data);
        m_provider.answer(".", "250 queued");
        if (QByteArray(to) == "a@example.jp")
            m_provider.answer("RSET", "250 ok");
    }
    m_provider.answer("QUIT", "221 bye");

    EXPECT_TRUE(session().mailSend());
    EXPECT_EQ(m_state.marker, QString());
    EXPECT_TRUE(m_provider.mismatches.isEmpty()) << m_provider.mismatches.join(", ").constData();
    EXPECT_TRUE(m_provider.received.value(0).startsWith("HELO "));
    EXPECT_EQ(m_provider.data, (Lines { longText, "\r\nshort\r\n" }));
    EXPECT_TRUE(outBox().isEmpty());
    EXPECT_EQ(m_monitorLines.value(0), QStringLiteral("----- Server < Vesk -----"));
}

TEST_F(ProviderSessionTest, AFailedUploadKeepsTheFileAndResetsTheTrigger)
{
    putOut(QStringLiteral("1.ID"), "VeskFrom: <taro@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\nx\r\n");
    m_state.checkTrigger = TriggerManual;
    m_provider.addGreeting("220 smtp ready\r\n");
    m_provider.answer("", "250 hello");
    m_provider.answer("RSET", "250 ok");
    m_provider.answer("MAIL FROM: <taro@example.jp>", "250 ok");
    m_provider.answer("RCPT TO: <a@example.jp>", "250 ok");
    m_provider.add("DATA", "354 go ahead\r\n", Then::Data);
    m_provider.answer(".", "554 rejected");
    m_provider.answer("QUIT", "221 bye");

    EXPECT_FALSE(session().mailSend());
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(m_state.checkTrigger, TriggerPeriodic);
    EXPECT_EQ(outBox().size(), 1);
    EXPECT_EQ(m_host.connErrors, 1);
}

} // namespace vesk::test
