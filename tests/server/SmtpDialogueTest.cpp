#include "DialogueFixture.h"

namespace vesk::test {
namespace {

const QByteArray Trace = "testhost (Vesk 2.81) with SMTP id 5D864000; Sun, 06 Dec 2026 08:00:00 +0900";

class SmtpDialogue : public DialogueFixture
{
protected:
    // A greeted SMTP dialogue with a sender and one recipient.
    Peer &ready(MailerPort port = MailerPort::SmtpMailer1)
    {
        Peer &peer = open(port);
        peer.sink.take();
        say(peer, "HELO mailer.local");
        say(peer, "MAIL FROM:<a@x.jp>");
        say(peer, "RCPT TO:<b@y.jp>");
        return peer;
    }
};

TEST_F(SmtpDialogue, RepliesAreVerbatim)
{
    Peer &peer = open(MailerPort::SmtpMailer1);
    EXPECT_EQ(peer.sink.take(), "220 testhost Vesk Mail Server ready at Sun, 06 Dec 2026 08:00:00 +0900\r\n");
    EXPECT_EQ(say(peer, "EHLO mailer.local"), "502 unimplemented\r\n");
    EXPECT_EQ(say(peer, "DATA"), "502 unimplemented\r\n");
    EXPECT_EQ(say(peer, "HELO mailer.local"), "250 testhost Hello, pleased to meet you\r\n");
    EXPECT_EQ(say(peer, "MAIL FROM:<a@x.jp>"), "250 <a@x.jp>... Sender ok\r\n");
    EXPECT_EQ(say(peer, "RCPT TO:<b@y.jp>"), "250 <b@y.jp>... Recipient ok\r\n");
    EXPECT_EQ(say(peer, "VRFY b"), "252\r\n");
    EXPECT_EQ(say(peer, "DATA"), "354 Enter mail, end with \".\" on a line by itself\r\n");
    EXPECT_EQ(say(peer, "Subject: hi\r\n\r\nbody\r\n."), "250 Mail accepted\r\n");
    EXPECT_EQ(say(peer, "RSET"), "250 Reset State\r\n");
    EXPECT_EQ(say(peer, "QUIT"), "221 Vesk Smtp closing connection\r\n");
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);
    EXPECT_EQ(m_host.directions, QStringList { "<" });
}

TEST_F(SmtpDialogue, FiledMessageHasEnvelopeTraceAndTransferForm)
{
    Peer &peer = ready();
    say(peer, "RCPT TO: <c@z.jp>");
    say(peer, "DATA");
    EXPECT_EQ(say(peer, "Subject: hi\r\n\r\n..dotted\r\nend\r\n."), "250 Mail accepted\r\n");
    ASSERT_EQ(outBox().size(), 1);
    EXPECT_EQ(outBox()[0], "202612060800000000.ID");
    EXPECT_EQ(outBoxFile(),
        "VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nVeskTo: <c@z.jp>\r\n"
        "Received: from mailer.local by "
            + Trace + "\r\nSubject: hi\r\n\r\n..dotted\r\nend\r\n");
}

TEST_F(SmtpDialogue, MailWithOrWithoutBlankAndInAnyCaseGivesTheBareSender)
{
    Peer &peer = open(MailerPort::SmtpMailer1);
    peer.sink.take();
    EXPECT_EQ(say(peer, "mail from:<a@x.jp>"), "250 <a@x.jp>... Sender ok\r\n");
    EXPECT_EQ(say(peer, "MAIL FROM: <a@x.jp>"), "250 <a@x.jp>... Sender ok\r\n");
    EXPECT_EQ(say(peer, "MAIL FROM: Taro <a@x.jp> SIZE=100"), "250 <a@x.jp>... Sender ok\r\n");
    // MAIL alone greets as HELO does, so DATA is taken.
    say(peer, "rcpt to:<b@y.jp>");
    EXPECT_EQ(say(peer, "data"), "354 Enter mail, end with \".\" on a line by itself\r\n");
    say(peer, "x\r\n.");
    EXPECT_TRUE(outBoxFile().startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nReceived: from  by "));
}

TEST_F(SmtpDialogue, DotLineArrivingWithTheLastTextOrSplitAnywhereEndsTheMessage)
{
    Peer &peer = ready();
    say(peer, "DATA");
    EXPECT_EQ(raw(peer, "Subject: a\r\n\r\nlast line\r\n.\r\n"), "250 Mail accepted\r\n");
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "RCPT TO:<b@y.jp>");
    say(peer, "DATA");
    const QByteArray body = "Subject: b\r\n\r\nx\r\n.\r\n";
    for (char c : body)
        raw(peer, QByteArray(1, c));
    EXPECT_EQ(peer.sink.output, "");
    ASSERT_EQ(outBox().size(), 2);
    EXPECT_TRUE(outBoxFile(0).endsWith("\r\nSubject: a\r\n\r\nlast line\r\n"));
    EXPECT_TRUE(outBoxFile(1).endsWith("\r\nSubject: b\r\n\r\nx\r\n"));
}

TEST_F(SmtpDialogue, OnlyALoneDotLineEndsTheBody)
{
    Peer &peer = ready();
    say(peer, "DATA");
    EXPECT_EQ(raw(peer, "A: b\r\n\r\n.x\r\n..\r\nlone\nLF.\r\n. \r\n"), "");
    EXPECT_EQ(raw(peer, ".\r\nNOOP\r\n"), "250 Mail accepted\r\n502 unimplemented\r\n");
    EXPECT_TRUE(outBoxFile().endsWith("\r\nA: b\r\n\r\n.x\r\n..\r\nlone\nLF.\r\n. \r\n"));
}

TEST_F(SmtpDialogue, LocalMessageIdGetsTheProviderDomain)
{
    Peer &peer = ready();
    say(peer, "DATA");
    say(peer, "Subject: x\r\nmessage-id: <123.abc@127.0.0.1>\r\n\r\nMessage-ID: <body@127.0.0.1>\r\n.");
    EXPECT_TRUE(outBoxFile().endsWith(
        "Subject: x\r\nmessage-id: <123.abc@pop.example.jp>\r\n\r\nMessage-ID: <body@127.0.0.1>\r\n"));
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "DATA");
    say(peer, "Message-ID: <keep@example.jp>\r\n\r\n.");
    EXPECT_TRUE(outBoxFile(1).endsWith("\r\nMessage-ID: <keep@example.jp>\r\n\r\n"));
}

TEST_F(SmtpDialogue, ResetAndNewSenderForgetEarlierRecipients)
{
    Peer &peer = ready();
    say(peer, "RSET");
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "RCPT TO:<second@y.jp>");
    say(peer, "DATA");
    say(peer, "x\r\n.");
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "RCPT TO:<third@y.jp>");
    say(peer, "DATA");
    say(peer, "y\r\n.");
    EXPECT_TRUE(outBoxFile(0).startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <second@y.jp>\r\nReceived: "));
    EXPECT_TRUE(outBoxFile(1).startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <third@y.jp>\r\nReceived: "));
}

TEST_F(SmtpDialogue, DisconnectInTheMiddleOfDataFilesNothing)
{
    Peer &peer = ready();
    say(peer, "DATA");
    raw(peer, "Subject: half\r\n\r\nsome text\r\n");
    peer.dialogue->disconnected();
    EXPECT_TRUE(outBox().isEmpty());
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
    EXPECT_TRUE(outBox().isEmpty());
    say(peer, "MAIL FROM:<a@x.jp>");
    say(peer, "DATA");
    EXPECT_EQ(say(peer, "small\r\n."), "250 Mail accepted\r\n");
}

TEST_F(SmtpDialogue, MessageNotOnDiskIsNotAccepted)
{
    Peer &peer = ready();
    ASSERT_TRUE(QDir(m_store.folderPath(Box::OutBox)).removeRecursively());
    say(peer, "DATA");
    EXPECT_EQ(say(peer, "x\r\n."), "451 Mail not saved, try again later\r\n");
    EXPECT_EQ(m_host.boxShown, 0);
}

TEST_F(SmtpDialogue, FiledMessageShowsInTheBoxWindow)
{
    m_host.boxOpen = true;
    Peer &peer = ready();
    say(peer, "DATA");
    say(peer, "x\r\n.");
    EXPECT_EQ(m_host.added, QStringList { "OutBox/" + outBox()[0] });
    m_host.boxOpen = false;
    m_config.ManuSend = true;
    say(peer, "DATA");
    say(peer, "y\r\n.");
    EXPECT_EQ(m_host.boxShown, 1);
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
