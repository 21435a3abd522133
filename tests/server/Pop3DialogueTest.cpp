#include "DialogueFixture.h"

#include "mail/TMD5.h"

namespace vesk::test {
namespace {

const QByteArray Envelope = "VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nVESKTO: <c@z.jp>\r\n";
const QByteArray Message = "Subject: one\r\nFrom: a@x.jp\r\n\r\nline 1\r\n..dot line\r\nline 3\r\nline 4\r\n";

class Pop3Dialogue : public DialogueFixture
{
protected:
    void SetUp() override
    {
        DialogueFixture::SetUp();
        put(Box::InBox,
            "20261206080000000"
            "0.ID",
            Envelope + Message);
        put(Box::InBox,
            "20261206080000000"
            "1.ID",
            "Subject: two\r\n\r\nbody\r\n");
        put(Box::InBox,
            "20261206080000000"
            "2.ID",
            "Subject: three\r\nMessage-ID: <m3@x.jp>\r\n\r\nthree\r\n");
    }
};

TEST_F(Pop3Dialogue, GreetingCarriesTheStampUsedForApop)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    EXPECT_EQ(peer.sink.take(), "+OK Vesk Pop3 server at testhost starting. <5D864000@testhost>\r\n");
    const QByteArray digest = TMD5::apopDigest("<5D864000@testhost>", "Secret1");
    EXPECT_EQ(say(peer, "APOP taro " + digest.toUpper()),
        "+OK taro has 3 message(s) (" + QByteArray::number(m_store.checkDir(Box::InBox).totalSize)
            + " octets).\r\n");
    EXPECT_TRUE(say(peer, "STAT").startsWith("+OK 3 "));
}

TEST_F(Pop3Dialogue, WrongPasswordOrDigestKeepsTheBoxClosed)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    peer.sink.take();
    // Failed logins are answered late (see the attack tests).
    say(peer, "APOP taro 0123456789abcdef0123456789abcdef");
    m_timers.advance(2000);
    EXPECT_EQ(drain(peer), "-ERR Password supplied for \"taro\" is incorrect.\r\n");
    EXPECT_EQ(say(peer, "USER taro"), "+OK Password required for taro.\r\n");
    say(peer, "PASS secret1");
    m_timers.advance(4000);
    EXPECT_EQ(drain(peer), "-ERR Password supplied for \"taro\" is incorrect.\r\n");
    EXPECT_EQ(say(peer, "STAT"), "-ERR unknown command \"STAT\".\r\n");
}

TEST_F(Pop3Dialogue, FullAddressLogsInWhenTheAccountIsTheBareName)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    say(peer, "USER taro@example.jp");
    EXPECT_EQ(say(peer, "PASS Secret1").left(35), "+OK taro@example.jp has 3 message(s");
    m_config.UserID = QStringLiteral("taro@example.jp");
    Peer &other = open(MailerPort::Pop3Mailer2);
    say(other, "USER taro");
    EXPECT_TRUE(say(other, "PASS Secret1").startsWith("+OK taro has 3"));
}

TEST_F(Pop3Dialogue, LowerCaseCommandsWorkAndUnauthenticatedOnesEchoTheCommand)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    peer.sink.take();
    EXPECT_EQ(say(peer, "stat"), "-ERR unknown command \"stat\".\r\n");
    EXPECT_EQ(say(peer, "XTND something"), "-ERR unknown command \"XTND\".\r\n");
    EXPECT_EQ(say(peer, ""), "-ERR unknown command \"\".\r\n");
    say(peer, "user taro");
    say(peer, "pass Secret1");
    EXPECT_TRUE(say(peer, "stat").startsWith("+OK 3 "));
}

TEST_F(Pop3Dialogue, HeloDoesNotOpenTheMailbox)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    say(peer, "HELO me");
    say(peer, "MAIL FROM:<a@x.jp>");
    EXPECT_EQ(say(peer, "RETR 1"), "-ERR unknown command \"RETR\".\r\n");
}

TEST_F(Pop3Dialogue, ListAndUidlNumberTheMessagesOfTheLogin)
{
    Peer &peer = loggedIn();
    const qint64 size1 = Envelope.size() + Message.size();
    EXPECT_EQ(say(peer, "LIST"),
        "+OK 3 message(s) (" + QByteArray::number(size1 + 22 + 48) + " octets)\r\n1 "
            + QByteArray::number(size1) + "\r\n2 22\r\n3 48\r\n.\r\n");
    EXPECT_EQ(say(peer, "LIST 2"), "+OK 2 22\r\n");
    EXPECT_EQ(say(peer, "UIDL"),
        "+OK unique-id listing follows.\r\n1 202612060800000000\r\n2 202612060800000001\r\n3 "
        "m3@x.jp\r\n.\r\n");
    EXPECT_EQ(say(peer, "UIDL 3"), "+OK 3 m3@x.jp\r\n");
    EXPECT_EQ(say(peer, "LAST"), "+OK 0\r\n");
    EXPECT_EQ(say(peer, "NOOP"), "+OK\r\n");
}

TEST_F(Pop3Dialogue, BadNumbersNameNoMessage)
{
    Peer &peer = loggedIn();
    const QByteArray wholeList = say(peer, "LIST");
    const QByteArray wholeUidl = say(peer, "UIDL");
    // Anything that is not a number within range reads as -1: the whole box.
    const struct {
        const char *number;
        bool whole;
    } rows[] = { { "0", false }, { "4", false }, { "-5", false }, { "99999999999999", true }, { "1x", true },
        { "-1", true } };
    for (const auto &[number, whole] : rows) {
        SCOPED_TRACE(number);
        EXPECT_EQ(say(peer, QByteArray("LIST ") + number), whole ? wholeList : "-ERR no such message.\r\n");
        EXPECT_EQ(say(peer, QByteArray("UIDL ") + number), whole ? wholeUidl : "-ERR no such message.\r\n");
        EXPECT_EQ(say(peer, QByteArray("RETR ") + number), "-ERR unknown command \"RETR\".\r\n");
        EXPECT_EQ(say(peer, QByteArray("TOP ") + number + " 1"), "-ERR unknown command \"TOP\".\r\n");
        EXPECT_EQ(
            say(peer, QByteArray("DELE ") + number), "-ERR Too few arguments for the dele command.\r\n");
    }
    EXPECT_EQ(say(peer, "RETR"), "-ERR unknown command \"RETR\".\r\n");
    EXPECT_EQ(say(peer, "DELE"), "-ERR Too few arguments for the dele command.\r\n");
    EXPECT_EQ(m_store.listing(Box::InBox).size(), 3);
    // The failure path leaves the connection usable.
    EXPECT_TRUE(say(peer, "STAT").startsWith("+OK 3 "));
}

TEST_F(Pop3Dialogue, EmptyBoxListsNothing)
{
    for (const QString &name : m_store.listing(Box::InBox))
        m_store.remove(Box::InBox, name);
    Peer &peer = loggedIn();
    EXPECT_EQ(say(peer, "STAT"), "+OK 0 0\r\n");
    EXPECT_EQ(say(peer, "LIST"), "+OK 0 message(s) (0 octets)\r\n.\r\n");
    EXPECT_EQ(say(peer, "UIDL"), "+OK 0 messages (0 octets)\r\n.\r\n");
    EXPECT_EQ(say(peer, "UIDL x"), "+OK 0 messages (0 octets)\r\n.\r\n");
    // A single-line command gets a single line, or the mailer falls out of step.
    EXPECT_EQ(say(peer, "UIDL 1"), "-ERR no such message.\r\n");
}

TEST_F(Pop3Dialogue, RetrLeavesOutTheEnvelopeButGivesTheFileSize)
{
    Peer &peer = loggedIn();
    EXPECT_EQ(say(peer, "RETR 1"),
        "+OK " + QByteArray::number(Envelope.size() + Message.size()) + " octets\r\n" + Message + ".\r\n");
    EXPECT_EQ(m_host.directions, QStringList { ">" });
    EXPECT_TRUE(peer.dialogue->vars().retrieved);
}

TEST_F(Pop3Dialogue, TopSendsHeaderEmptyLineAndKBodyLines)
{
    Peer &peer = loggedIn();
    const QByteArray head = "+OK " + QByteArray::number(Envelope.size() + Message.size()) + " octets\r\n";
    EXPECT_EQ(say(peer, "TOP 1 0"), head + "Subject: one\r\nFrom: a@x.jp\r\n\r\n.\r\n");
    EXPECT_EQ(
        say(peer, "TOP 1 2"), head + "Subject: one\r\nFrom: a@x.jp\r\n\r\nline 1\r\n..dot line\r\n.\r\n");
    EXPECT_EQ(say(peer, "TOP 1"), head + "Subject: one\r\nFrom: a@x.jp\r\n\r\n.\r\n");
    EXPECT_EQ(say(peer, "TOP 1 -3"), head + "Subject: one\r\nFrom: a@x.jp\r\n\r\n.\r\n");
    EXPECT_EQ(say(peer, "TOP 1 99"), head + Message + ".\r\n");
    EXPECT_FALSE(peer.dialogue->vars().retrieved);
}

TEST_F(Pop3Dialogue, StoredLinesGoOutWithCrLfAndALoneDotCannotEndTheMessage)
{
    put(Box::InBox,
        "30000000000000000"
        "0.ID",
        "A: b\nC: d\r\n\r\n.\r\nlast");
    Peer &peer = loggedIn();
    EXPECT_EQ(say(peer, "RETR 4"), "+OK 20 octets\r\nA: b\r\nC: d\r\n\r\n..\r\nlast\r\n.\r\n");
    // A body line that merely looks like an envelope line stays.
    put(Box::InBox,
        "30000000000000001"
        "0.ID",
        "VeskFrom: <a@b>\r\nX: y\r\n\r\nVeskTo: quoted\r\n");
    Peer &again = loggedIn();
    EXPECT_EQ(say(again, "RETR 5"), "+OK 41 octets\r\nX: y\r\n\r\nVeskTo: quoted\r\n.\r\n");
}

TEST_F(Pop3Dialogue, DeleRemovesAtOnceAndNumbersNeverShift)
{
    m_host.boxOpen = true;
    Peer &peer = loggedIn();
    const QStringList names = m_store.listing(Box::InBox);
    EXPECT_EQ(say(peer, "DELE 1"), "+OK Message 1 has been deleted.\r\n");
    EXPECT_FALSE(exists(Box::InBox, names[0]));
    EXPECT_EQ(m_host.removed, QStringList { "InBox/" + names[0] });
    EXPECT_EQ(m_host.newMailCleared, 1);
    // Message 2 is still message 2; 1 names nothing now.
    EXPECT_EQ(say(peer, "LIST 2"), "+OK 2 22\r\n");
    EXPECT_EQ(say(peer, "RETR 1"), "-ERR unknown command \"RETR\".\r\n");
    EXPECT_EQ(say(peer, "DELE 1"), "-ERR Message1 dose not exist.\r\n");
    EXPECT_EQ(say(peer, "STAT"), "+OK 2 70\r\n");
    EXPECT_EQ(say(peer, "LIST"), "+OK 2 message(s) (70 octets)\r\n2 22\r\n3 48\r\n.\r\n");
    EXPECT_EQ(say(peer, "DELE 3"), "+OK Message 3 has been deleted.\r\n");
    EXPECT_EQ(m_store.listing(Box::InBox), QStringList { names[1] });
}

TEST_F(Pop3Dialogue, DeleOfAFileGoneMeanwhileSaysSo)
{
    Peer &peer = loggedIn();
    m_store.remove(Box::InBox, m_store.listing(Box::InBox)[1]);
    EXPECT_EQ(say(peer, "DELE 2"), "-ERR Message2 dose not exist.\r\n");
    EXPECT_EQ(say(peer, "RETR 3").left(4), "+OK ");
}

TEST_F(Pop3Dialogue, RetrOfAFileGoneMeanwhileFails)
{
    Peer &peer = loggedIn();
    m_store.remove(Box::InBox, m_store.listing(Box::InBox)[0]);
    EXPECT_EQ(say(peer, "RETR 1"), "-ERR unknown command \"RETR\".\r\n");
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
    Peer &two = loggedIn(MailerPort::Pop3Mailer2);
    say(two, "DELE 1");
    EXPECT_EQ(m_host.removed, QStringList { "InBox2/2.ID" });
}

TEST_F(Pop3Dialogue, MessagesWaitForTheLookupPause)
{
    m_config.lookupPauseMs = 100;
    Peer &peer = loggedIn();
    EXPECT_EQ(say(peer, "RETR 2"), "");
    // Commands that arrive meanwhile wait their turn.
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
        big += "0123456789012345678901234567890123456789012345678901234567890123456789012\r\n";
    put(Box::InBox,
        "40000000000000000"
        "0.ID",
        big);
    Peer &peer = loggedIn();
    peer.dialogue->received("RETR 4\r\nNOOP\r\n");
    QByteArray got = peer.sink.take();
    // Only a bounded piece before the queue has drained; the NOOP waits.
    EXPECT_LE(got.size(), LocalDialogue::StreamBudget + 1024);
    int rounds = 1;
    while (!got.endsWith("\r\n.\r\n+OK\r\n") && rounds < 1000) {
        peer.dialogue->sendEmpty();
        const QByteArray piece = peer.sink.take();
        EXPECT_LE(piece.size(), LocalDialogue::StreamBudget + 1024);
        got += piece;
        ++rounds;
    }
    EXPECT_GT(rounds, 10);
    EXPECT_EQ(got, "+OK " + QByteArray::number(big.size()) + " octets\r\n" + big + ".\r\n+OK\r\n");
    EXPECT_GE(m_host.progressCalls, big.size() / 76 / 100 - 1);
}

} // namespace
} // namespace vesk::test
