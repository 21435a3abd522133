#include "DialogueFixture.h"

#include "mail/TMD5.h"

namespace vesk::test {
namespace {

const QByteArray Envelope = "VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nVESKTO: <c@z.jp>\r\n";
const QByteArray Message = "Subject: one\r\nFrom: a@x.jp\r\n\r\nline 1\r\n..dot line\r\nline 3\r\nline 4\r\n";
const QByteArray Size1 = QByteArray::number(Envelope.size() + Message.size());
QByteArray unknown(const char *command)
{
    return "-ERR unknown command \"" + QByteArray(command) + "\".\r\n";
}

class Pop3Dialogue : public DialogueFixture
{
protected:
    void SetUp() override
    {
        DialogueFixture::SetUp();
        put(Box::InBox, "202612060800000000.ID", Envelope + Message);
        put(Box::InBox, "202612060800000001.ID", "Subject: two\r\n\r\nbody\r\n");
        put(Box::InBox, "202612060800000002.ID", "Subject: three\r\nMessage-ID: <m3@x.jp>\r\n\r\nthree\r\n");
    }
};

TEST_F(Pop3Dialogue, GreetingCarriesTheStampTheApopDigestIsMadeOf)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    EXPECT_EQ(peer.sink.take(), "+OK Vesk Pop3 server at testhost starting. <5D864000@testhost>\r\n");
    const QByteArray digest = TMD5::apopDigest("<5D864000@testhost>", "Secret1");
    EXPECT_EQ(say(peer, "APOP taro " + digest.toUpper()),
        "+OK taro has 3 message(s) (" + QByteArray::number(m_store.checkDir(Box::InBox).totalSize)
            + " octets).\r\n");
}

TEST_F(Pop3Dialogue, NothingButALoginOpensTheBox)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    peer.sink.take();
    const QByteArray wrong = "-ERR Password supplied for \"taro\" is incorrect.\r\n";
    // Failed logins are answered late (see the attack tests).
    EXPECT_EQ(say(peer, "APOP taro 0123456789abcdef0123456789abcdef"), "");
    m_timers.advance(2000);
    EXPECT_EQ(drain(peer), wrong);
    EXPECT_EQ(say(peer, "USER taro"), "+OK Password required for taro.\r\n");
    say(peer, "PASS secret1");
    m_timers.advance(4000);
    EXPECT_EQ(drain(peer), wrong);
    expectReplies(peer,
        { { "STAT", unknown("STAT") }, { "stat", unknown("stat") }, { "XTND x", unknown("XTND") },
            { "", unknown("") }, { "HELO me", "250 testhost Hello, pleased to meet you\r\n" },
            { "RETR 1", unknown("RETR") } });
    say(peer, "user taro");
    say(peer, "pass Secret1");
    m_timers.advance(8000); // the right one waits out the penalty too
    EXPECT_TRUE(drain(peer).startsWith("+OK taro has 3 message(s)"));
    EXPECT_TRUE(say(peer, "stat").startsWith("+OK 3 "));
}

TEST_F(Pop3Dialogue, FullAddressLogsInWhenTheAccountIsTheBareName)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    say(peer, "USER taro@example.jp");
    EXPECT_TRUE(say(peer, "PASS Secret1").startsWith("+OK taro@example.jp has 3 message(s"));
}

TEST_F(Pop3Dialogue, ListAndUidlNumberTheMessagesOfTheLogin)
{
    expectReplies(loggedIn(),
        { { "LIST",
              "+OK 3 message(s) (" + QByteArray::number(Size1.toInt() + 22 + 48) + " octets)\r\n1 " + Size1
                  + "\r\n2 22\r\n3 48\r\n.\r\n" },
            { "LIST 2", "+OK 2 22\r\n" },
            { "UIDL",
                "+OK unique-id listing follows.\r\n1 202612060800000000\r\n2 202612060800000001\r\n3 "
                "m3@x.jp\r\n.\r\n" },
            { "UIDL 3", "+OK 3 m3@x.jp\r\n" }, { "LAST", "+OK 0\r\n" }, { "NOOP", "+OK\r\n" } });
}

TEST_F(Pop3Dialogue, BadNumbersNameNoMessage)
{
    Peer &peer = loggedIn();
    const QByteArray wholeList = say(peer, "LIST");
    const QByteArray wholeUidl = say(peer, "UIDL");
    // Anything that is not a number within range reads as -1: the whole box.
    const struct
    {
        const char *number;
        bool whole;
    } rows[] = { { "0", false }, { "4", false }, { "-5", false }, { "99999999999999", true }, { "1x", true },
        { "-1", true } };
    for (const auto &[number, whole] : rows) {
        SCOPED_TRACE(number);
        EXPECT_EQ(say(peer, QByteArray("LIST ") + number), whole ? wholeList : "-ERR no such message.\r\n");
        EXPECT_EQ(say(peer, QByteArray("UIDL ") + number), whole ? wholeUidl : "-ERR no such message.\r\n");
        EXPECT_EQ(say(peer, QByteArray("RETR ") + number), unknown("RETR"));
        EXPECT_EQ(say(peer, QByteArray("TOP ") + number + " 1"), unknown("TOP"));
        EXPECT_EQ(
            say(peer, QByteArray("DELE ") + number), "-ERR Too few arguments for the dele command.\r\n");
    }
    EXPECT_EQ(say(peer, "DELE"), "-ERR Too few arguments for the dele command.\r\n");
    EXPECT_EQ(listing(Box::InBox).size(), 3);
    EXPECT_TRUE(say(peer, "STAT").startsWith("+OK 3 "));
}

TEST_F(Pop3Dialogue, EmptyBoxListsNothing)
{
    for (const QString &name : listing(Box::InBox))
        m_store.remove(Box::InBox, name);
    expectReplies(loggedIn(),
        { { "STAT", "+OK 0 0\r\n" }, { "LIST", "+OK 0 message(s) (0 octets)\r\n.\r\n" },
            { "UIDL", "+OK 0 messages (0 octets)\r\n.\r\n" },
            { "UIDL x", "+OK 0 messages (0 octets)\r\n.\r\n" },
            // A single-line command gets a single line, or the mailer falls out of step.
            { "UIDL 1", "-ERR no such message.\r\n" } });
}

TEST_F(Pop3Dialogue, RetrAndTopLeaveOutTheEnvelopeButGiveTheFileSize)
{
    Peer &peer = loggedIn();
    const QByteArray head = "+OK " + Size1 + " octets\r\nSubject: one\r\nFrom: a@x.jp\r\n\r\n";
    expectReplies(peer,
        { { "TOP 1 0", head + ".\r\n" }, { "TOP 1 2", head + "line 1\r\n..dot line\r\n.\r\n" },
            { "TOP 1", head + ".\r\n" }, { "TOP 1 -3", head + ".\r\n" },
            { "TOP 1 99", head + Message.mid(30) + ".\r\n" } });
    EXPECT_FALSE(peer.dialogue->vars().retrieved);
    EXPECT_EQ(say(peer, "RETR 1"), "+OK " + Size1 + " octets\r\n" + Message + ".\r\n");
    EXPECT_EQ(m_host.directions, QStringList { ">" });
    EXPECT_TRUE(peer.dialogue->vars().retrieved);
}

TEST_F(Pop3Dialogue, DeleRemovesAtOnceNumbersNeverShiftAndAFileGoneMeanwhileIsNotServed)
{
    m_host.boxOpen = true;
    Peer &peer = loggedIn();
    const QStringList names = listing(Box::InBox);
    EXPECT_EQ(say(peer, "DELE 1"), "+OK Message 1 has been deleted.\r\n");
    EXPECT_FALSE(exists(Box::InBox, names[0]));
    EXPECT_EQ(m_host.removed, QStringList { "InBox/" + names[0] });
    EXPECT_EQ(m_host.newMailCleared, 1);
    expectReplies(peer,
        { { "LIST 2", "+OK 2 22\r\n" }, { "RETR 1", unknown("RETR") },
            { "DELE 1", "-ERR Message1 dose not exist.\r\n" }, { "STAT", "+OK 2 70\r\n" },
            { "LIST", "+OK 2 message(s) (70 octets)\r\n2 22\r\n3 48\r\n.\r\n" },
            { "DELE 3", "+OK Message 3 has been deleted.\r\n" } });
    EXPECT_EQ(listing(Box::InBox), QStringList { names[1] });
    // A file gone meanwhile is neither served nor deleted.
    m_store.remove(Box::InBox, names[1]);
    expectReplies(peer, { { "RETR 2", unknown("RETR") }, { "DELE 2", "-ERR Message2 dose not exist.\r\n" } });
}

TEST_F(Pop3Dialogue, DistributionServesEachMailerItsOwnBox)
{
    m_config.DevideON = true;
    put(Box::InBox1, "1.ID", "Subject: for one\r\n\r\n");
    put(Box::InBox2, "2.ID", "Subject: for two\r\n\r\nx\r\n");
    put(Box::InBox2, "3.ID", "Subject: two again\r\n\r\n");
    EXPECT_EQ(say(loggedIn(MailerPort::Pop3Mailer1), "STAT"), "+OK 1 20\r\n");
    EXPECT_EQ(say(loggedIn(MailerPort::Pop3Mailer2), "STAT"), "+OK 2 45\r\n");
    m_host.boxOpen = true;
    say(loggedIn(MailerPort::Pop3Mailer2), "DELE 1");
    EXPECT_EQ(m_host.removed, QStringList { "InBox2/2.ID" });
}

TEST_F(Pop3Dialogue, MessagesWaitForTheLookupPauseAndLaterCommandsForThem)
{
    m_config.lookupPauseMs = 100;
    Peer &peer = loggedIn();
    EXPECT_EQ(say(peer, "RETR 2"), "");
    EXPECT_EQ(say(peer, "NOOP"), "");
    m_timers.advance(99);
    EXPECT_EQ(drain(peer), "");
    m_timers.advance(1);
    EXPECT_EQ(drain(peer), "+OK 22 octets\r\nSubject: two\r\n\r\nbody\r\n.\r\n+OK\r\n");
}

TEST_F(Pop3Dialogue, LargeMessagesAreQueuedPieceByPiece)
{
    QByteArray big = "Subject: big\r\n\r\n";
    while (big.size() < 3 * 1024 * 1024)
        big += QByteArray(73, '7') + "\r\n";
    put(Box::InBox, "400000000000000000.ID", big);
    Peer &peer = loggedIn();
    peer.dialogue->received("RETR 4\r\nNOOP\r\n");
    QByteArray got;
    int rounds = 0;
    // Only a bounded piece each time the queue has drained; the NOOP waits.
    for (; !got.endsWith("\r\n.\r\n+OK\r\n") && rounds < 1000; ++rounds) {
        const QByteArray piece = peer.sink.take();
        EXPECT_LE(piece.size(), LocalDialogue::StreamBudget + 1024);
        got += piece;
        peer.dialogue->sendEmpty();
    }
    EXPECT_GT(rounds, 10);
    EXPECT_EQ(got, "+OK " + QByteArray::number(big.size()) + " octets\r\n" + big + ".\r\n+OK\r\n");
    EXPECT_GE(m_host.progressCalls, big.size() / 76 / 100 - 1);
}

} // namespace
} // namespace vesk::test
