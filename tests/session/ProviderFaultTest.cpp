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

// A session that fails after a DELE takes it back before its QUIT: the
// stored copy stays at the provider, so the journal that excuses it next
// time is right, and a new copy that looks the same is not deleted unsaved.
TEST_F(ProviderFault, AFailureAfterADeleTakesItBackBeforeQuit)
{
    const QByteArray message = "Subject: two\r\n\r\nb\r\n";
    for (int check = 0; check < 2; ++check) {
        scriptLogin(2);
        m_provider.answer("LIST 2", "+OK 2 " + QByteArray::number(message.size()));
        m_provider.add("RETR 2", "+OK\r\n" + message + ".\r\n");
        m_provider.answer("DELE 2", "+OK");
        m_provider.answer("LIST 1", check == 0 ? "-ERR busy" : "+OK 1 10");
        if (check == 0) {
            m_provider.answer("RSET", "+OK");
            m_provider.answer("QUIT", "+OK");
        } else {
            m_provider.add("RETR 1", "+OK\r\nSubject: one\r\n\r\n.\r\n");
            m_provider.answer("DELE 1", "+OK");
            m_provider.answer("QUIT", "+OK");
        }
        session().downLoad();
    }
    EXPECT_TRUE(m_provider.mismatches.isEmpty()) << m_provider.mismatches.join(", ").constData();
    // Message 2 was served again after the RSET and excused: stored once.
    EXPECT_EQ(listing(Box::InBox).size(), 2);
}

// A protection or login setting outside its table is never read as "none":
// no connection is made, and the monitor says which setting is wrong.
TEST_F(ProviderFault, UnknownSecuritySettingsConnectNowhere)
{
    put(Box::OutBox, QStringLiteral("1.ID"), "VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\n\r\nx\r\n");
    const struct
    {
        int pop3, smtp, auth;
        const char *name;
    } rows[] = { { 3, 0, 0, "POP3_Security" }, { 0, -1, 0, "SMTP_Security" }, { 0, 0, 9, "SMTP_Auth" } };
    for (const auto &row : rows) {
        m_monitorLines.clear();
        m_config.POP3_Security = securityFrom(row.pop3);
        m_config.SMTP_Security = securityFrom(row.smtp);
        m_config.SMTP_Auth = smtpAuthFrom(row.auth);
        if (row.pop3)
            EXPECT_EQ(session().downLoad(), 0);
        else
            EXPECT_FALSE(session().mailSend());
        EXPECT_EQ(m_state.marker, QStringLiteral("x"));
        EXPECT_TRUE(m_monitorLines.join(u'\n').contains(QLatin1String(row.name))) << row.name;
    }
    EXPECT_EQ(m_provider.connections, 0);
}

// The provider streams `perSecond` bytes of a message it announced as
// `announced` octets; the session ends when it should, and only then.
struct StreamRow
{
    const char *name;
    int overTime;
    qint64 announced, perSecond, total;
    bool delivered;
    int endsWithinSeconds = 0; // 0: three watchdog periods
};

void PrintTo(const StreamRow &row, std::ostream *out)
{
    *out << row.name;
}

class Streaming : public ProviderFault, public ::testing::WithParamInterface<StreamRow>
{
};

TEST_P(Streaming, WhatArrivesDecidesHowLongATransferMayTake)
{
    const StreamRow &row = GetParam();
    m_config.OverTime = row.overTime;
    scriptLogin(1);
    m_provider.answer("LIST 1", "+OK 1 " + QByteArray::number(row.announced));
    m_provider.answer("RETR 1", "+OK");
    m_provider.answer("DELE 1", "+OK");
    m_provider.answer("QUIT", "+OK");
    const QByteArray line = QByteArray(row.perSecond < 80 ? row.perSecond - 2 : 78, 'x') + "\r\n";
    const QByteArray second = line.repeated(std::max<qint64>(1, row.perSecond / line.size()));
    qint64 written = 0;
    int rounds = 0;
    m_pump.eachRound = [&] {
        // Rounds of 10 ms of fake time: a second's worth every 100 of them.
        if (++rounds % 100 != 0 || written > row.total)
            return;
        const QList<QTcpSocket *> sockets = m_provider.findChildren<QTcpSocket *>();
        if (sockets.isEmpty())
            return;
        QTcpSocket *socket = sockets.last();
        const QByteArray piece = written + second.size() > row.total ? second + ".\r\n" : second;
        socket->write(piece);
        written += piece.size();
        // Real time for it to arrive; the fake clock stands meanwhile.
        waitFor([&] { return socket->bytesToWrite() == 0; }, 2000);
        waitFor([] { return false; }, 1);
    };
    session(true).downLoad();
    EXPECT_EQ(m_provider.received.contains("DELE 1"), row.delivered);
    EXPECT_EQ(listing(Box::InBox).size(), row.delivered ? 1 : 0);
    if (!row.delivered)
        EXPECT_LT(m_timers.elapsed(), 1000 * (row.endsWithinSeconds ? row.endsWithinSeconds : 3 * row.overTime));
}

INSTANTIATE_TEST_SUITE_P(Providers, Streaming,
    ::testing::Values(
        // A line a second keeps no watchdog at bay, whatever was announced.
        StreamRow { "DripAgainstASmallClaim", 5, 100, 16, 600 * 16, false },
        StreamRow { "DripAgainstAHugeClaim", 30, 200 * 1024 * 1024, 16, 3600 * 16, false },
        // Just enough to pass the watchdog: the claim buys half an hour at most.
        StreamRow { "TrickleAgainstAHugeClaim", 5, 200 * 1024 * 1024, 400, 3000 * 400, false, 32 * 60 },
        // 20 KB/s for 40 MB takes longer than any fixed cap would allow.
        StreamRow { "SlowButHonest", 30, 40 * 1000 * 1000, 20 * 1000, 40 * 1000 * 1000, true }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vesk::test
