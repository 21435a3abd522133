#include "DialogueFixture.h"

namespace vesk::test {
namespace {

using DialogueLifecycle = DialogueFixture;

TEST_F(DialogueLifecycle, MarkerAndPop3ActivityLastUntilTheLastDialogueEnds)
{
    Peer &one = open(MailerPort::Pop3Mailer1);
    EXPECT_EQ(m_state.marker, ".");
    Peer &two = open(MailerPort::Pop3Mailer2);
    EXPECT_FALSE(two.sink.output.isEmpty()); // no wait for another mailer
    say(one, "USER taro");
    say(two, "USER taro");
    say(one, "BOGUS"); // the failure path ends that dialogue's POP3 activity
    EXPECT_TRUE(m_state.pop3Active);
    EXPECT_EQ(m_state.marker, ".");
    two.dialogue->disconnected();
    EXPECT_FALSE(m_state.pop3Active);
    EXPECT_EQ(m_activity.pop3Dialogues(), 0);
    EXPECT_EQ(m_state.marker, ".");
    one.dialogue->disconnected();
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
    for (const char *line : { "HELO x", "MAIL FROM:<a@x.jp>", "RCPT TO:<b@y.jp>", "DATA", "Subject: never ends" }) {
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
    // The echo is cut short and the reply stays one line of POP3's size.
    EXPECT_EQ(reply,
        "-ERR unknown command \"" + QByteArray(LocalDialogue::MaxEcho, 'A')
            + "...\".\r\n-ERR unknown command \"NOOP\".\r\n");
    const QByteArray binary("\x00\xff\x80\r\x01 x", 7);
    EXPECT_EQ(say(peer, binary), "-ERR unknown command \"?\xff\x80??\".\r\n");
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

TEST_F(DialogueLifecycle, ASocketErrorAnswersAndClosesAndClosingServersLeaveTheMarkerToTheProvider)
{
    Peer &broken = open(MailerPort::Pop3Mailer1);
    broken.sink.take();
    broken.dialogue->childError();
    EXPECT_EQ(broken.sink.output, "-ERR unknown command.\r\n");
    EXPECT_TRUE(broken.sink.closeAfterSendCalled);
    EXPECT_EQ(m_state.marker, "x");
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
    EXPECT_EQ(m_monitorLines.mid(m_monitorLines.indexOf("RETR 1")),
        (QStringList { "RETR 1", "<+OK 20 octets", "Subject: s", "", "body" }));
}

} // namespace

namespace {

class DialogueEnds : public DialogueFixture
{
protected:
    void SetUp() override
    {
        DialogueFixture::SetUp();
        put(Box::InBox, "1.ID", "Subject: s\r\n\r\nbody\r\n");
    }
    // A mailer hands over one message and says QUIT; the end runs.
    void sendOne(MailerPort port = MailerPort::SmtpMailer1)
    {
        Peer &peer = open(port);
        for (const char *line :
            { "HELO x", "MAIL FROM:<a@x.jp>", "RCPT TO:<b@y.jp>", "DATA", "x\r\n.", "QUIT" })
            say(peer, line);
        runPosted();
    }
    void quitPop3(MailerPort port, const char *before = nullptr)
    {
        Peer &peer = loggedIn(port);
        if (before)
            say(peer, before);
        say(peer, "QUIT");
        runPosted();
    }
};

TEST_F(DialogueEnds, Pop3QuitWithDirectCheckRunsTheSendCycleWhenNothingWasRetrieved)
{
    m_config.DirectCheck = true;
    Peer &peer = loggedIn(MailerPort::Pop3Mailer1);
    EXPECT_EQ(say(peer, "QUIT"), "+OK VESK Pop server at localhost signing off.\r\n");
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);
    EXPECT_EQ(m_host.modes, QList<int> { 0 });
    // Counted as a POP3 dialogue until its end has run.
    bool activeDuringUpLoad = false;
    m_host.onUpLoad = [&] { activeDuringUpLoad = m_state.pop3Active; };
    EXPECT_TRUE(m_host.upLoads.isEmpty());
    runPosted();
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
    EXPECT_TRUE(activeDuringUpLoad);
    EXPECT_FALSE(m_state.pop3Active);
}

TEST_F(DialogueEnds, NoSendCycleAfterRetrievalWithoutDirectCheckOrWhileAnSmtpEndWaits)
{
    m_config.DirectCheck = true;
    quitPop3(MailerPort::Pop3Mailer1, "RETR 1");
    quitPop3(MailerPort::Pop3Mailer2); // mailer 2 has DirectCheck2 off
    m_state.smtpEndWaiting = true;
    quitPop3(MailerPort::Pop3Mailer1);
    EXPECT_TRUE(m_host.upLoads.isEmpty());
}

TEST_F(DialogueEnds, Pop3EndClosesAnEmptyBoxWindow)
{
    m_host.boxOpen = true;
    quitPop3(MailerPort::Pop3Mailer2);
    EXPECT_EQ(m_host.remainChecks, 1);
    m_config.AutoDevideDisp = true;
    quitPop3(MailerPort::Pop3Mailer2);
    EXPECT_EQ(m_host.remainChecks, 1);
}

TEST_F(DialogueEnds, SmtpQuitSendsUnlessManuSendHoldsTheMail)
{
    sendOne();
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
    m_config.ManuSend = true;
    sendOne();
    EXPECT_EQ(m_host.upLoads.size(), 1);
    EXPECT_EQ(m_host.modes, QList<int> { 0 });
    EXPECT_EQ(listing(Box::OutBox).size(), 2);
}

TEST_F(DialogueEnds, DialUpWithMailWaitingHoldsTheMailAndSaysWhy)
{
    m_config.DialMode = 1;
    sendOne();
    EXPECT_TRUE(m_host.upLoads.isEmpty());
    EXPECT_EQ(m_host.modes, QList<int> { 10 });
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(m_messenger.messages,
        QStringList { "受信メールがありますので、\r\n送信メールは、一旦Veskの送信箱に入れます。\r\n"
                      "後でVeskの「接-送-ﾁｪｯｸ-断」を行って送信してください。" });
    // With distribution, mailer 2's SMTP end looks at mailer 2's box only.
    m_config.DevideON = true;
    sendOne(MailerPort::SmtpMailer2);
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
}

TEST_F(DialogueEnds, SmtpEndWaitsForAPop3DialogueThenSends)
{
    Peer &collecting = loggedIn(MailerPort::Pop3Mailer1);
    bool waitingSeen = false;
    m_pump.eachRound = [&] {
        waitingSeen = waitingSeen || m_state.smtpEndWaiting;
        if (m_pump.roundsRun == 40)
            say(collecting, "QUIT");
        runPosted();
    };
    sendOne();
    EXPECT_TRUE(waitingSeen);
    EXPECT_GE(m_pump.roundsRun, 40);
    EXPECT_LT(m_pump.roundsRun, 60);
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
    EXPECT_FALSE(m_state.smtpEndWaiting);
}

TEST_F(DialogueEnds, SmtpEndDoesNotWaitForADialogueThatDisconnected)
{
    loggedIn(MailerPort::Pop3Mailer1).dialogue->disconnected();
    sendOne();
    EXPECT_EQ(m_pump.roundsRun, 10 + 1);
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
}

} // namespace

} // namespace vesk::test
