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
