#include "DialogueFixture.h"

namespace vesk::test {
namespace {

const QByteArray Trace = "testhost (Vesk 2.81) with SMTP id 5D864000; Sun, 06 Dec 2026 08:00:00 +0900";
const QByteArray GoAhead = "354 Enter mail, end with \".\" on a line by itself\r\n";

class SmtpDialogue : public DialogueFixture
{
protected:
    // A greeted SMTP dialogue with a sender and one recipient.
    Peer &ready()
    {
        Peer &peer = open(MailerPort::SmtpMailer1);
        peer.sink.take();
        for (const char *line : { "HELO mailer.local", "MAIL FROM:<a@x.jp>", "RCPT TO:<b@y.jp>" })
            say(peer, line);
        return peer;
    }
    QByteArray send(Peer &peer, const QByteArray &text)
    {
        say(peer, "DATA");
        return say(peer, text + "\r\n.");
    }
    QByteArray outFile(int index = 0) const { return content(Box::OutBox, index); }
};

TEST_F(SmtpDialogue, RepliesAreVerbatim)
{
    Peer &peer = open(MailerPort::SmtpMailer1);
    EXPECT_EQ(peer.sink.take(), "220 testhost Vesk Mail Server ready at Sun, 06 Dec 2026 08:00:00 +0900\r\n");
    expectReplies(peer,
        { { "EHLO mailer.local", "502 unimplemented\r\n" }, { "DATA", "502 unimplemented\r\n" },
            { "HELO mailer.local", "250 testhost Hello, pleased to meet you\r\n" },
            { "MAIL FROM:<a@x.jp>", "250 <a@x.jp>... Sender ok\r\n" },
            { "RCPT TO:<b@y.jp>", "250 <b@y.jp>... Recipient ok\r\n" }, { "VRFY b", "252\r\n" },
            { "DATA", GoAhead }, { "Subject: hi\r\n\r\nbody\r\n.", "250 Mail accepted\r\n" },
            { "RSET", "250 Reset State\r\n" }, { "QUIT", "221 Vesk Smtp closing connection\r\n" } });
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);
    EXPECT_EQ(m_host.directions, QStringList { "<" });
}

TEST_F(SmtpDialogue, FiledMessageHasEnvelopeTraceAndTransferFormAndCommandsGoOnAfterIt)
{
    Peer &peer = ready();
    say(peer, "RCPT TO: <c@z.jp>");
    say(peer, "DATA");
    EXPECT_EQ(raw(peer, "Subject: hi\r\n\r\n..dotted\r\nend\r\n.\r\nNOOP\r\n"),
        "250 Mail accepted\r\n502 unimplemented\r\n");
    EXPECT_EQ(listing(Box::OutBox), QStringList { "202612060800000000.ID" });
    EXPECT_EQ(outFile(),
        "VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nVeskTo: <c@z.jp>\r\nReceived: from mailer.local by "
            + Trace + "\r\nSubject: hi\r\n\r\n..dotted\r\nend\r\n");
}

TEST_F(SmtpDialogue, MailAloneGreetsAsHeloDoes)
{
    Peer &peer = open(MailerPort::SmtpMailer1);
    peer.sink.take();
    EXPECT_EQ(say(peer, "mail from: Taro <a@x.jp> SIZE=100"), "250 <a@x.jp>... Sender ok\r\n");
    say(peer, "rcpt to:<b@y.jp>");
    EXPECT_EQ(say(peer, "data"), GoAhead);
    say(peer, "x\r\n.");
    EXPECT_TRUE(outFile().startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nReceived: from  by "));
}

TEST_F(SmtpDialogue, ARefusedEhloStillNamesTheMailerInTheTraceLine)
{
    Peer &peer = open(MailerPort::SmtpMailer1);
    peer.sink.take();
    EXPECT_EQ(say(peer, "EHLO mailer.local"), "502 unimplemented\r\n");
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "RCPT TO:<b@y.jp>");
    say(peer, "DATA");
    say(peer, "x\r\n.");
    EXPECT_TRUE(outFile().contains("\r\nReceived: from mailer.local by ")) << outFile().toStdString();
}

TEST_F(SmtpDialogue, LocalMessageIdGetsTheProviderDomain)
{
    Peer &peer = ready();
    send(peer, "Subject: x\r\nmessage-id: <123.abc@127.0.0.1>\r\n\r\nMessage-ID: <body@127.0.0.1>");
    EXPECT_TRUE(outFile().endsWith(
        "Subject: x\r\nmessage-id: <123.abc@pop.example.jp>\r\n\r\nMessage-ID: <body@127.0.0.1>\r\n"));
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "RCPT TO:<b@y.jp>");
    send(peer, "Message-ID: <keep@example.jp>\r\n");
    EXPECT_TRUE(outFile(1).endsWith("\r\nMessage-ID: <keep@example.jp>\r\n\r\n"));
}

TEST_F(SmtpDialogue, ResetAndNewSenderForgetEarlierRecipients)
{
    Peer &peer = ready();
    for (const char *line : { "RSET", "MAIL FROM:<a@x.jp>", "RCPT TO:<second@y.jp>" })
        say(peer, line);
    send(peer, "x");
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "RCPT TO:<third@y.jp>");
    send(peer, "y");
    EXPECT_TRUE(outFile(0).startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <second@y.jp>\r\nReceived: "));
    EXPECT_TRUE(outFile(1).startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <third@y.jp>\r\nReceived: "));
}

TEST_F(SmtpDialogue, DisconnectInTheMiddleOfDataFilesNothing)
{
    Peer &peer = ready();
    say(peer, "DATA");
    raw(peer, "Subject: half\r\n\r\nsome text\r\n");
    peer.dialogue->disconnected();
    EXPECT_TRUE(listing(Box::OutBox).isEmpty());
    EXPECT_TRUE(m_state.marker.isEmpty());
}

TEST_F(SmtpDialogue, OversizedBodyIsRefusedAndTheDialogueGoesOn)
{
    m_config.maxMessageBytes = 1000;
    Peer &peer = ready();
    say(peer, "DATA");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(raw(peer, QByteArray(98, 'x') + "\r\n"), "");
    EXPECT_EQ(say(peer, "."), "552 Message size exceeds the limit\r\n");
    EXPECT_TRUE(listing(Box::OutBox).isEmpty());
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "RCPT TO:<b@y.jp>");
    EXPECT_EQ(send(peer, "small"), "250 Mail accepted\r\n");
}

TEST_F(SmtpDialogue, MessageNotOnDiskIsNotAccepted)
{
    Peer &peer = ready();
    blockFolder(Box::OutBox);
    EXPECT_EQ(send(peer, "x"), "451 Mail not saved, try again later\r\n");
    EXPECT_EQ(m_host.boxShown, 0);
}

TEST_F(SmtpDialogue, FiledMessageShowsInTheBoxWindow)
{
    m_host.boxOpen = true;
    Peer &peer = ready();
    send(peer, "x");
    EXPECT_EQ(m_host.added, QStringList { "OutBox/" + listing(Box::OutBox)[0] });
    m_host.boxOpen = false;
    m_config.ManuSend = true;
    say(peer, "RCPT TO:<b@y.jp>");
    send(peer, "y");
    EXPECT_EQ(m_host.boxShown, 1);
}

// An envelope that could not go to the provider is refused when given, and
// nothing is filed; a good envelope afterwards works as ever.
TEST_F(SmtpDialogue, UnusableEnvelopeIsRefusedAndNothingQueued)
{
    Peer &peer = open(MailerPort::SmtpMailer1);
    peer.sink.take();
    expectReplies(peer,
        { { "HELO m", "250 testhost Hello, pleased to meet you\r\n" },
            { "MAIL FROM:<a\x01b@x.jp>", "501 Bad sender address syntax\r\n" },
            { "MAIL FROM:<a@x.jp>", "250 <a@x.jp>... Sender ok\r\n" },
            { "RCPT TO:<b\x1b@y.jp>", "501 Bad recipient address syntax\r\n" },
            { "RCPT TO:<>", "501 Bad recipient address syntax\r\n" },
            { "DATA", "503 Need RCPT (recipient)\r\n" } });
    EXPECT_TRUE(listing(Box::OutBox).isEmpty());
}

TEST_F(SmtpDialogue, TooManyRecipientsAreRefused)
{
    Peer &peer = ready();
    for (int i = 1; i < 1000; ++i)
        say(peer, "RCPT TO:<r@y.jp>");
    EXPECT_EQ(say(peer, "RCPT TO:<one.more@y.jp>"), "452 Too many recipients\r\n");
}

} // namespace
} // namespace vesk::test
