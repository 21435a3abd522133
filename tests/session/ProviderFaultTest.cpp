// Providers that misbehave in ways Dovecot cannot: nothing may be lost,
// wrongly deleted, or keep a check going for ever.
#include "ScriptedProvider.h"
#include "SessionFixture.h"

#include "session/ProviderConnection.h"
#include "support/WaitFor.h"

#include <QTcpSocket>

namespace vesk::test {
namespace {

using Lines = QList<QByteArray>;

class ProviderFault : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        m_config.POP3_ServerVesk = m_provider.port();
    }
    void login(int count, const QByteArray &greeting = "+OK ready\r\n")
    {
        m_provider.addGreeting(greeting);
        m_provider.answer("USER taro", "+OK");
        m_provider.answer("PASS pa55word", "+OK logged in");
        m_provider.answer("STAT", "+OK " + QByteArray::number(count) + " 900");
    }
    void serve(int n, const QByteArray &text)
    {
        const QByteArray number = QByteArray::number(n);
        m_provider.answer("LIST " + number, "+OK " + number + ' ' + QByteArray::number(text.size()));
        m_provider.add("RETR " + number, "+OK\r\n" + text + ".\r\n");
        m_provider.answer("DELE " + number, "+OK deleted");
    }

    ScriptedProvider m_provider;
};

// Each row: how the provider gets out of step with message 2 of 2.
struct OutOfStepRow
{
    const char *what;
    QByteArray greeting;
    QByteArray listReply;
    QByteArray retrReply;
};

class OutOfStep : public ProviderFault, public ::testing::WithParamInterface<OutOfStepRow>
{ };

// Ended without QUIT: the provider keeps every message, and nothing that
// arrived out of step is stored.
TEST_P(OutOfStep, EndsWithoutQuitAndStoresNothingWrong)
{
    const OutOfStepRow &row = GetParam();
    login(2, row.greeting);
    m_provider.answer("LIST 2", row.listReply);
    m_provider.add("RETR 2", row.retrReply);
    m_provider.answer("DELE 2", "+OK");
    m_provider.answer("QUIT", "+OK");
    session().downLoad();
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_FALSE(m_provider.received.contains("QUIT")) << m_provider.received.join(' ').constData();
    EXPECT_TRUE(inBox().isEmpty());
    EXPECT_FALSE(m_provider.received.contains("PASS pa55word") && row.greeting.count("\r\n") > 1);
}

INSTANTIATE_TEST_SUITE_P(Providers, OutOfStep,
    ::testing::Values(
        OutOfStepRow { "an extra line after the greeting (no password goes out)", "+OK ready\r\n+OK\r\n",
            "+OK 2 30", "+OK\r\nSubject: two\r\n\r\nb\r\n.\r\n" },
        OutOfStepRow { "an extra +OK after the end of RETR", "+OK ready\r\n", "+OK 2 30",
            "+OK\r\nSubject: two\r\n\r\nb\r\n.\r\n+OK\r\n" },
        OutOfStepRow { "a lone dot inside the text", "+OK ready\r\n", "+OK 2 30",
            "+OK\r\nSubject: two\r\n\r\nfirst\r\n.\r\nthe rest\r\n.\r\n" },
        OutOfStepRow { "a LIST answer for another message", "+OK ready\r\n", "+OK 1 30", "" },
        OutOfStepRow { "a line that is no reply", "+OK ready\r\n", "hello there", "" }),
    [](const ::testing::TestParamInfo<OutOfStepRow> &info) { return "Case" + std::to_string(info.index); });

// A line over the data line limit: that message stays at the provider, the
// user hears of it once, and older mail is still fetched.
TEST_F(ProviderFault, MessageWithAHugeLineIsLeftAndTheRestFetched)
{
    const QByteArray huge = "Subject: long\r\n\r\n" + QByteArray(17 * 1024 * 1024, 'x') + "\r\nafter\r\n";
    for (int round = 0; round < 2; ++round) {
        login(2);
        m_provider.answer("LIST 2", "+OK 2 " + QByteArray::number(huge.size()));
        m_provider.add("RETR 2", "+OK\r\n" + huge + ".\r\n");
        m_provider.answer("STAT", "+OK 2 900");
        serve(1, "Subject: one\r\n\r\nbody\r\n");
        m_provider.answer("QUIT", "+OK");
        EXPECT_EQ(session().downLoad(), 1);
        EXPECT_EQ(m_state.marker, QString());
        EXPECT_TRUE(m_provider.mismatches.isEmpty()) << m_provider.mismatches.join(", ").constData();
    }
    EXPECT_FALSE(m_provider.received.contains("DELE 2"));
    EXPECT_EQ(m_provider.received.count("DELE 1"), 2);
    EXPECT_EQ(inBox().size(), 2);
    EXPECT_EQ(m_messenger.messages.size(), 1);
}

// One line a second keeps the watchdog at bay, not the session's deadline.
TEST_F(ProviderFault, DrippingProviderMeetsTheSessionDeadline)
{
    m_config.OverTime = 5;
    login(1);
    m_provider.answer("LIST 1", "+OK 1 100");
    m_provider.answer("RETR 1", "+OK");
    int rounds = 0;
    int dripped = 0;
    m_fakePump.eachRound = [&] {
        // 100 rounds of 10 ms: one line a second, for ten minutes at most.
        if (++rounds % 100 != 0 || dripped >= 600)
            return;
        const qsizetype seen = m_monitorLines.size();
        for (QTcpSocket *socket : m_provider.findChildren<QTcpSocket *>())
            socket->write("a line of text\r\n");
        ++dripped;
        // Real time for the line to arrive; the fake clock stands meanwhile.
        waitFor([&] { return m_monitorLines.size() > seen; }, 2000);
    };
    session(true).downLoad();
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_LT(m_fakeTimers.elapsed(), 60 * 1000);
    EXPECT_TRUE(inBox().isEmpty());
    EXPECT_FALSE(m_provider.received.contains("DELE 1"));
}

} // namespace
} // namespace vesk::test
