#include "session/ProviderConnection.h"
#include "support/ProviderFixture.h"

namespace vesk::test {
namespace {

using ProviderSessionTest = ProviderFixture;

TEST_F(ProviderSessionTest, TheWatchdogAbandonsASilentServer)
{
    m_provider.addGreeting(QByteArray()); // connects, never says a word
    EXPECT_EQ(session(true).downLoad(), 0);
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_EQ(m_host.connErrors, 1);
    EXPECT_EQ(m_host.minuteRestarts, 1);
    EXPECT_GE(m_timers.elapsed(), 300 * 1000);
    EXPECT_FALSE(session().connection().active());
}

TEST_F(ProviderSessionTest, DoublePassReconnectsWhenTheGreetingDoesNotCome)
{
    m_config.DoublePass = true;
    m_provider.addGreeting(QByteArray());
    scriptLogin(0);
    m_provider.answer("QUIT", "+OK");
    EXPECT_EQ(session(true).downLoad(), 0);
    EXPECT_EQ(m_state.marker, "");
    EXPECT_EQ(m_provider.connections, 2);
    EXPECT_TRUE(m_monitorLines.contains("---- Re-authenticate ----"));
}

TEST_F(ProviderSessionTest, AProviderGoneInTheMiddleOfAMessageLeavesNothingBehind)
{
    scriptLogin(1);
    m_provider.answer("LIST 1", "+OK 1 500");
    m_provider.add("RETR 1", "+OK 500 octets\r\nSubject: half\r\n\r\nonly the first ", true);
    EXPECT_EQ(session(true).downLoad(), 0);
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
    // Ended by the close itself, not by the watchdog minutes later.
    EXPECT_LT(m_timers.elapsed(), 300 * 1000);
}

TEST_F(ProviderSessionTest, AProviderGoneBetweenMessagesKeepsWhatWasStoredOnce)
{
    scriptLogin(2);
    m_provider.answer("LIST 2", "+OK 2 20");
    m_provider.add("RETR 2", "+OK 20 octets\r\nSubject: two\r\n\r\nb\r\n.\r\n");
    m_provider.answer("DELE 2", "+OK deleted");
    m_provider.add("LIST 1", QByteArray(), true);
    EXPECT_EQ(session(true).downLoad(), 1);
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_EQ(contents(Box::InBox), QList<QByteArray> { "Subject: two\r\n\r\nb\r\n" });
    EXPECT_TRUE(m_provider.mismatches.isEmpty()) << m_provider.mismatches.join(", ").constData();
}

TEST_F(ProviderSessionTest, ARefusedConnectionIsAConnectionError)
{
    m_config.POP3_ServerVesk = 1; // nothing listens there
    EXPECT_EQ(session().downLoad(), 0);
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_EQ(m_host.connErrors, 1);
}

TEST_F(ProviderSessionTest, NoConnectionWithoutAnAccountOrWithAnEmptyOutBox)
{
    EXPECT_TRUE(session().mailSend());
    EXPECT_EQ(m_state.marker, "");
    m_config.UserID.clear();
    EXPECT_EQ(session().downLoad(), 0);
    EXPECT_EQ(m_provider.connections, 0);
    EXPECT_TRUE(m_host.started.isEmpty());
}

} // namespace
} // namespace vesk::test
