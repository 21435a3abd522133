#include "DialogueFixture.h"

namespace vesk::test {
namespace {

class DialogueEnds : public DialogueFixture
{
protected:
    void SetUp() override
    {
        DialogueFixture::SetUp();
        put(Box::InBox, "1.ID", "Subject: s\r\n\r\nbody\r\n");
    }
    void sendOne(Peer &peer)
    {
        say(peer, "HELO x");
        say(peer, "MAIL FROM:<a@x.jp>");
        say(peer, "RCPT TO:<b@y.jp>");
        say(peer, "DATA");
        say(peer, "x\r\n.");
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
    EXPECT_TRUE(m_state.pop3Active);
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
    Peer &retrieving = loggedIn(MailerPort::Pop3Mailer1);
    say(retrieving, "RETR 1");
    say(retrieving, "QUIT");
    runPosted();
    EXPECT_TRUE(m_host.upLoads.isEmpty());

    say(loggedIn(MailerPort::Pop3Mailer2), "QUIT"); // mailer 2 has DirectCheck2 off
    runPosted();
    EXPECT_TRUE(m_host.upLoads.isEmpty());

    m_state.smtpEndWaiting = true;
    say(loggedIn(MailerPort::Pop3Mailer1), "QUIT");
    runPosted();
    EXPECT_TRUE(m_host.upLoads.isEmpty());
}

TEST_F(DialogueEnds, Pop3EndClosesAnEmptyBoxWindow)
{
    m_host.boxOpen = true;
    say(loggedIn(MailerPort::Pop3Mailer2), "QUIT");
    runPosted();
    EXPECT_EQ(m_host.remainChecks, 1);
    m_config.AutoDevideDisp = true;
    say(loggedIn(MailerPort::Pop3Mailer2), "QUIT");
    runPosted();
    EXPECT_EQ(m_host.remainChecks, 1);
}

TEST_F(DialogueEnds, SmtpQuitWithManuSendHoldsTheMail)
{
    m_config.ManuSend = true;
    Peer &peer = open(MailerPort::SmtpMailer1);
    sendOne(peer);
    EXPECT_EQ(say(peer, "QUIT"), "221 Vesk Smtp closing connection\r\n");
    runPosted();
    EXPECT_TRUE(m_host.upLoads.isEmpty());
    EXPECT_EQ(m_host.modes, QList<int> { 0 });
    EXPECT_EQ(outBox().size(), 1);
}

TEST_F(DialogueEnds, DialUpWithMailWaitingHoldsTheMailAndSaysWhy)
{
    m_config.DialMode = 1;
    Peer &peer = open(MailerPort::SmtpMailer1);
    sendOne(peer);
    say(peer, "QUIT");
    runPosted();
    EXPECT_TRUE(m_host.upLoads.isEmpty());
    EXPECT_EQ(m_host.modes, QList<int> { 10 });
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(m_messenger.messages,
        QStringList { "受信メールがありますので、\r\n送信メールは、一旦Veskの送信箱に入れます。\r\n"
                      "後でVeskの「接-送-ﾁｪｯｸ-断」を行って送信してください。" });

    // With distribution, mailer 2's SMTP end looks at mailer 2's box only.
    m_config.DevideON = true;
    Peer &two = open(MailerPort::SmtpMailer2);
    sendOne(two);
    say(two, "QUIT");
    runPosted();
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
}

TEST_F(DialogueEnds, SmtpEndWaitsForAPop3DialogueThenSends)
{
    Peer &collecting = loggedIn(MailerPort::Pop3Mailer1);
    Peer &sending = open(MailerPort::SmtpMailer1);
    sendOne(sending);
    say(sending, "QUIT");
    bool waitingSeen = false;
    m_pump.eachRound = [&] {
        waitingSeen = waitingSeen || m_state.smtpEndWaiting;
        if (m_pump.roundsRun == 40)
            say(collecting, "QUIT");
        runPosted();
    };
    runPosted();
    EXPECT_TRUE(waitingSeen);
    EXPECT_GE(m_pump.roundsRun, 40);
    EXPECT_LT(m_pump.roundsRun, 60);
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
    EXPECT_FALSE(m_state.smtpEndWaiting);
}

TEST_F(DialogueEnds, SmtpEndDoesNotWaitForADialogueThatDisconnected)
{
    Peer &collecting = loggedIn(MailerPort::Pop3Mailer1);
    collecting.dialogue->disconnected();
    Peer &sending = open(MailerPort::SmtpMailer1);
    sendOne(sending);
    say(sending, "QUIT");
    runPosted();
    EXPECT_EQ(m_pump.roundsRun, 10 + 1);
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });
}

} // namespace
} // namespace vesk::test
