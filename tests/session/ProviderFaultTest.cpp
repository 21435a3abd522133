// Providers that misbehave in ways Dovecot cannot: nothing may be lost,
// wrongly deleted, or keep a check going for ever.
#include "support/ProviderFixture.h"
#include "support/WaitFor.h"

#include <QTcpSocket>

namespace vesk::test {
namespace {

using ProviderFault = ProviderFixture;

struct OutOfStepRow
{
    const char *name;
    QByteArray greeting, listReply, retrReply;
};

// A row prints as its name: the test names stay the same from build to build.
void PrintTo(const OutOfStepRow &row, std::ostream *out)
{
    *out << row.name;
}

class OutOfStep : public ProviderFault, public ::testing::WithParamInterface<OutOfStepRow>
{
};

// Ended without QUIT, the provider keeps every message; nothing that came
// out of step is stored, and no password goes to a garbled greeting.
TEST_P(OutOfStep, EndsWithoutQuitAndStoresNothing)
{
    scriptLogin(1, GetParam().greeting);
    m_provider.answer("LIST 1", GetParam().listReply);
    m_provider.add("RETR 1", GetParam().retrReply);
    m_provider.answer("DELE 1", "+OK");
    m_provider.answer("QUIT", "+OK");
    session().downLoad();
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_FALSE(m_provider.received.contains("QUIT"));
    EXPECT_FALSE(m_provider.received.contains("PASS pa55word") && GetParam().greeting.count('\n') > 1);
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
}

const QByteArray Ok = "+OK ready\r\n";
INSTANTIATE_TEST_SUITE_P(Providers, OutOfStep,
    ::testing::Values(OutOfStepRow { "ExtraLineAfterTheGreeting", Ok + "+OK\r\n", "+OK 1 30", "" },
        OutOfStepRow { "ExtraOkAfterRetr", Ok, "+OK 1 30", "+OK\r\nSubject: a\r\n\r\nb\r\n.\r\n+OK\r\n" },
        OutOfStepRow { "UndoubledDot", Ok, "+OK 1 30", "+OK\r\nSubject: a\r\n\r\nb\r\n.\r\nrest\r\n.\r\n" },
        OutOfStepRow { "ListForAnotherMessage", Ok, "+OK 2 30", "" },
        OutOfStepRow { "NoReplyAtAll", Ok, "hello there", "" }),
    [](const auto &info) { return std::string(info.param.name); });

// A line over the data line limit: that message stays at the provider, the
// user hears of it once, and older mail is still fetched.
TEST_F(ProviderFault, MessageWithAHugeLineIsLeftAndTheRestFetched)
{
    const QByteArray huge = "Subject: long\r\n\r\n" + QByteArray(17 * 1024 * 1024, 'x') + "\r\nafter\r\n";
    for (int round = 0; round < 2; ++round) {
        scriptLogin(2);
        m_provider.answer("LIST 2", "+OK 2 " + QByteArray::number(huge.size()));
        m_provider.add("RETR 2", "+OK\r\n" + huge + ".\r\n");
        m_provider.answer("STAT", "+OK 2 900");
        m_provider.answer("LIST 1", "+OK 1 20");
        m_provider.add("RETR 1", "+OK\r\nSubject: one\r\n\r\nb\r\n.\r\n");
        m_provider.answer("DELE 1", "+OK");
        m_provider.answer("QUIT", "+OK");
        EXPECT_EQ(session().downLoad(), 1);
    }
    EXPECT_TRUE(m_provider.mismatches.isEmpty()) << m_provider.mismatches.join(", ").constData();
    EXPECT_FALSE(m_provider.received.contains("DELE 2"));
    EXPECT_EQ(listing(Box::InBox).size(), 2);
    EXPECT_EQ(m_messenger.messages.size(), 1);
}

// One line a second keeps the watchdog at bay, not the session's deadline.
TEST_F(ProviderFault, DrippingProviderMeetsTheSessionDeadline)
{
    m_config.OverTime = 5;
    scriptLogin(1);
    m_provider.answer("LIST 1", "+OK 1 100");
    m_provider.answer("RETR 1", "+OK");
    int rounds = 0;
    m_pump.eachRound = [&] {
        // Rounds of 10 ms: a line a second, for ten minutes at most.
        if (++rounds % 100 != 0 || rounds > 60000)
            return;
        const qsizetype seen = m_monitorLines.size();
        for (QTcpSocket *socket : m_provider.findChildren<QTcpSocket *>())
            socket->write("a line of text\r\n");
        // Real time for the line to arrive; the fake clock stands meanwhile.
        waitFor([&] { return m_monitorLines.size() > seen; }, 2000);
    };
    session(true).downLoad();
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_LT(m_timers.elapsed(), 60 * 1000);
    EXPECT_FALSE(m_provider.received.contains("DELE 1"));
}

} // namespace
} // namespace vesk::test
