#include "DialogueFixture.h"

namespace vesk::test {
namespace {

using DialogueLifecycle = DialogueFixture;

TEST_F(DialogueLifecycle, MarkerShowsAMailerDialogueUntilTheLastOneEnds)
{
    Peer &one = open(MailerPort::Pop3Mailer1);
    EXPECT_EQ(m_state.marker, ".");
    Peer &two = open(MailerPort::SmtpMailer1);
    EXPECT_FALSE(two.sink.output.isEmpty()); // no wait for another mailer
    say(one, "QUIT");
    EXPECT_EQ(m_state.marker, ".");
    two.dialogue->disconnected();
    EXPECT_EQ(m_state.marker, "");
}

TEST_F(DialogueLifecycle, GreetingWaitsForAProviderSessionUpToFiveSeconds)
{
    m_state.marker = QStringLiteral(".");
    Peer &peer = open(MailerPort::Pop3Mailer1);
    // What the mailer sends meanwhile is answered after the greeting.
    peer.dialogue->received("NOOP\r\n");
    m_timers.advance(300);
    EXPECT_EQ(peer.sink.output, "");
    m_state.marker.clear();
    m_timers.advance(100);
    EXPECT_TRUE(peer.sink.output.startsWith("+OK Vesk Pop3 server"));
    EXPECT_TRUE(peer.sink.output.endsWith("\r\n-ERR unknown command \"NOOP\".\r\n"));

    Peer &late = open(MailerPort::Pop3Mailer1);
    EXPECT_TRUE(late.sink.output.startsWith("+OK")); // only another mailer runs now
    say(late, "QUIT");
    say(peer, "QUIT");
    m_state.marker = QStringLiteral("."); // stuck provider session
    Peer &stuck = open(MailerPort::SmtpMailer1);
    m_timers.advance(4900);
    EXPECT_EQ(stuck.sink.output, "");
    m_timers.advance(200);
    EXPECT_TRUE(stuck.sink.output.startsWith("220 "));
}

TEST_F(DialogueLifecycle, SilentClientIsDroppedAfterOverTimeCountedFromItsLastLine)
{
    m_config.OverTime = 10;
    Peer &peer = open(MailerPort::SmtpMailer1);
    for (const char *line : { "HELO x", "MAIL FROM:<a@x.jp>", "DATA", "Subject: never ends" }) {
        m_timers.advance(9000);
        say(peer, line);
    }
    m_timers.advance(9999);
    EXPECT_FALSE(peer.sink.closed);
    m_timers.advance(1);
    EXPECT_TRUE(peer.sink.closed);
    EXPECT_EQ(m_state.marker, "x");
    // The rest arriving late is neither answered nor filed.
    EXPECT_EQ(raw(peer, "\r\n.\r\n"), "");
    EXPECT_TRUE(listing(Box::OutBox).isEmpty());
}

TEST_F(DialogueLifecycle, OverlongLinesAndBinaryBytesGetTheFailureReply)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    peer.sink.take();
    EXPECT_EQ(raw(peer, QByteArray(LocalDialogue::MaxCommandLine + 10, 'A')), "");
    EXPECT_EQ(raw(peer, QByteArray(100000, 'B')), "");
    const QByteArray reply = raw(peer, "C\r\nNOOP\r\n");
    EXPECT_TRUE(reply.startsWith("-ERR unknown command \"AAAA"));
    EXPECT_TRUE(reply.endsWith("\".\r\n-ERR unknown command \"NOOP\".\r\n"));
    EXPECT_LT(reply.size(), LocalDialogue::MaxCommandLine + 200);
    const QByteArray binary("\x00\xff\x80\r\x01 x", 7);
    EXPECT_EQ(say(peer, binary), "-ERR unknown command \"" + binary.left(5) + "\".\r\n");
    say(peer, "USER taro");
    EXPECT_TRUE(say(peer, "PASS Secret1").startsWith("+OK"));
}

TEST_F(DialogueLifecycle, ClientThatNeverReadsIsDropped)
{
    QByteArray big = "S: x\r\n\r\n";
    while (big.size() < 1024 * 1024)
        big += QByteArray(1000, 'y') + "\r\n";
    put(Box::InBox, "1.ID", big);
    Peer &peer = loggedIn();
    peer.dialogue->received("RETR 1\r\n");
    for (int i = 0; i < 2000 && !peer.sink.closed; ++i)
        peer.dialogue->received(QByteArray(10000, 'N') + "\r\n");
    EXPECT_TRUE(peer.sink.closed);
}

TEST_F(DialogueLifecycle, Pop3DialoguesAreCountedUntilTheyEnd)
{
    Peer &one = open(MailerPort::Pop3Mailer1);
    Peer &two = open(MailerPort::Pop3Mailer2);
    say(one, "USER taro");
    say(two, "USER taro");
    say(one, "BOGUS"); // the failure path ends the dialogue's POP3 activity
    EXPECT_TRUE(m_state.pop3Active);
    two.dialogue->disconnected();
    EXPECT_FALSE(m_state.pop3Active);
    EXPECT_EQ(m_activity.pop3Dialogues(), 0);
}

TEST_F(DialogueLifecycle, SocketErrorAnswersAndCloses)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    peer.sink.take();
    peer.dialogue->childError();
    EXPECT_EQ(peer.sink.output, "-ERR unknown command.\r\n");
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);
    EXPECT_EQ(m_state.marker, "x");
}

TEST_F(DialogueLifecycle, ClosingServersLeaveTheMarkerToTheProviderSession)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    say(peer, "USER taro");
    m_state.marker = QStringLiteral(".");
    peer.dialogue->serverClosing();
    EXPECT_EQ(m_state.marker, ".");
    EXPECT_FALSE(m_state.pop3Active);
    EXPECT_TRUE(m_activity.providerRunning());
}

TEST_F(DialogueLifecycle, MonitorSeesEachDirectionAndTheServedText)
{
    recordMonitor();
    put(Box::InBox, "1.ID", "Subject: s\r\n\r\nbody\r\n");
    Peer &peer = loggedIn(MailerPort::Pop3Mailer2);
    say(peer, "RETR 1");
    EXPECT_EQ(m_monitorLines.value(0), "----- Vesk > Mailer2 -----");
    EXPECT_TRUE(m_monitorLines.value(1).startsWith("<+OK Vesk Pop3"));
    EXPECT_TRUE(m_monitorLines.contains("PASS Secret1"));
    EXPECT_TRUE(m_monitorLines.contains("<+OK 20 octets"));
    EXPECT_TRUE(m_monitorLines.contains("body"));
}

} // namespace
} // namespace vesk::test
