// What a hostile local user or web page tried against the local servers.
#include "DialogueFixture.h"
#include "LiveServerFixture.h"

#include "net/TKTcpServer.h"
#include "server/LoginPenalty.h"
#include "store/BoxUniqueIds.h"

#include <QDir>
#include <QTcpServer>

namespace vesk::test {
namespace {

const QByteArray SmtpSession = "HELO x\r\nMAIL FROM:<a@x.jp>\r\nRCPT TO:<b@y.jp>\r\nDATA\r\n"
                               "Subject: spam\r\n\r\nspam\r\n.\r\nQUIT\r\n";

using Attack = DialogueFixture;

// A web page's form posted to 127.0.0.1: the request line or a header comes
// first, and nothing after it may be taken as a command.
TEST_F(Attack, HttpRequestOrHeaderDropsTheConnectionAtOnce)
{
    for (const QByteArray line : { "POST / HTTP/1.1", "GET /x HTTP/1.0", "CONNECT a:25 HTTP/1.1", "options * HTTP/1.1",
             "HEAD / HTTP/1.1", "PUT / HTTP/1.1", "Host: 127.0.0.1:1025", "User-Agent: Mozilla/5.0" }) {
        for (MailerPort port : { MailerPort::SmtpMailer1, MailerPort::Pop3Mailer1 }) {
            Peer &peer = open(port);
            peer.sink.take();
            EXPECT_EQ(raw(peer, line + "\r\n" + SmtpSession), "") << line.constData();
            EXPECT_TRUE(peer.sink.closed) << line.constData();
        }
    }
    EXPECT_TRUE(outBox().isEmpty());
}

TEST_F(Attack, UnknownCommandsInARowCloseTheConnection)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    for (int i = 0; i < LocalDialogue::MaxUnknownInRow - 1; ++i)
        say(peer, "CAPA");
    say(peer, "USER taro"); // a known command starts the count again
    for (int i = 0; i < LocalDialogue::MaxUnknownInRow - 1; ++i)
        say(peer, "AUTH");
    EXPECT_FALSE(peer.sink.closeAfterSendCalled);
    EXPECT_EQ(say(peer, "XTND"), "-ERR unknown command \"XTND\".\r\n");
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);
}

// Thousands of pipelined guesses in one write: one answer at a time, each
// later than the one before, and the connection goes after the third.
TEST_F(Attack, PasswordGuessesAreAnsweredLateAndFew)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    peer.sink.take();
    QByteArray guesses;
    for (int i = 0; i < 5000; ++i)
        guesses += "USER taro\r\nPASS guess" + QByteArray::number(i) + "\r\n";
    EXPECT_EQ(raw(peer, guesses), "+OK Password required for taro.\r\n");
    QByteArray answers;
    qint64 waited = 0;
    for (qint64 wait : { 2000, 4000, 8000 }) {
        m_timers.advance(wait - 1);
        EXPECT_EQ(drain(peer), "");
        m_timers.advance(1);
        waited += wait;
        answers += drain(peer);
    }
    EXPECT_EQ(answers.count("-ERR Password supplied for \"taro\" is incorrect.\r\n"), 3);
    EXPECT_EQ(answers.count("+OK Password required"), 2);
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);

    // The penalty stands for the right password too, then fades.
    Peer &next = open(MailerPort::Pop3Mailer2);
    next.sink.take();
    say(next, "USER taro");
    EXPECT_EQ(say(next, "PASS Secret1"), "");
    m_timers.advance(LoginPenalty::MaxDelayMs);
    EXPECT_TRUE(drain(next).startsWith("+OK taro has 0 message(s)"));
    m_timers.advance(LoginPenalty::QuietMs + 1);
    Peer &later = open(MailerPort::Pop3Mailer1);
    say(later, "USER taro");
    EXPECT_TRUE(say(later, "PASS Secret1").startsWith("+OK taro has"));
}

// A file name with CR LF, and two copies of one Message-ID.
TEST_F(Attack, UidlLinesCannotBeInjectedOrRepeated)
{
    put(Box::InBox, "20261206080000000.ID", "Message-ID: <list@x.jp>\r\n\r\na\r\n");
    put(Box::InBox, "20261206080000001.ID", "Message-ID: <list@x.jp>\r\n\r\nb\r\n");
    put(Box::InBox, "2026120608000002\r\n+OK evil.ID", "\r\nc\r\n");
    Peer &peer = loggedIn();
    const QList<QByteArray> lines = say(peer, "UIDL").split('\n');
    ASSERT_EQ(lines.size(), 6) << lines.join('\n').constData();
    EXPECT_EQ(lines[1], "1 list@x.jp\r");
    QSet<QByteArray> ids;
    for (int i = 1; i <= 3; ++i) {
        const QByteArray id = lines[i].chopped(1).mid(2);
        EXPECT_TRUE(BoxUniqueIds::usable(id)) << id.constData();
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), 3);
    Peer &again = loggedIn(MailerPort::Pop3Mailer2);
    EXPECT_EQ(say(again, "UIDL").split('\n'), lines);
}

using LiveAttack = LiveServerFixture;

TEST_F(LiveAttack, CurlPostingSmtpCommandsFilesNothing)
{
    QFile body(m_dir.path() + "/post.txt");
    ASSERT_TRUE(body.open(QIODevice::WriteOnly));
    body.write(SmtpSession);
    body.close();
    run(QStringLiteral("curl"),
        { "-s", "--max-time", "10", "--data-binary", "@" + body.fileName(),
            QStringLiteral("http://127.0.0.1:%1/").arg(smtpPort()) });
    EXPECT_TRUE(m_store.listing(Box::OutBox).isEmpty());
}

// While a provider session runs a mailer finds the port closed, but nobody
// else can take it.
TEST_F(LiveAttack, PortsStayBoundWhileAProviderSessionRuns)
{
    const quint16 port = pop3Port();
    auto served = connectTo(port);
    until(*served);
    m_state.marker = QStringLiteral("."); // the session owns the marker
    m_server->holdForSession();
    EXPECT_TRUE(closedByServer(*served));
    QTcpServer squatter;
    EXPECT_FALSE(squatter.listen(QHostAddress::LocalHost, port));
    auto refused = connectTo(port);
    EXPECT_TRUE(closedByServer(*refused));
    EXPECT_EQ(refused->received, "");
    m_state.marker.clear();
    m_server->resumeAfterSession();
    EXPECT_EQ(pop3Port(), port);
    auto again = connectTo(port);
    EXPECT_TRUE(until(*again).startsWith("+OK Vesk Pop3 server"));
}

// A client that floods commands and never reads its replies: the others are
// served meanwhile and what is held for it stays small.
TEST_F(LiveAttack, StalledClientHoldsLittleAndStallsNobody)
{
    for (int i = 0; i < 20; ++i)
        put(Box::InBox, QStringLiteral("2026120608000000%1.ID").arg(i, 2, 10, QChar('0')), "Subject: s\r\n\r\nb\r\n");
    auto flood = connectTo(pop3Port());
    until(*flood);
    exchange(*flood, "USER taro");
    exchange(*flood, "PASS pa55word");
    QByteArray lines;
    for (int i = 0; i < 100000; ++i)
        lines += "LIST\r\nUIDL\r\n";
    flood->socket.write(lines);
    qsizetype most = 0;
    waitFor(
        [&] {
            most = std::max(most, m_server->heldBytes());
            return flood->socket.bytesToWrite() == 0;
        },
        3000);
    auto other = connectTo(pop3Port());
    EXPECT_TRUE(until(*other).startsWith("+OK"));
    exchange(*other, "USER taro");
    EXPECT_TRUE(exchange(*other, "PASS pa55word").startsWith("+OK taro has 20 message(s)"));
    EXPECT_TRUE(exchange(*other, "UIDL").endsWith("\r\n.\r\n"));
    EXPECT_EQ(exchange(*other, "QUIT"), "+OK VESK Pop server at localhost signing off.\r\n");
    most = std::max(most, m_server->heldBytes());
    EXPECT_LT(most, 1024 * 1024);
}

// Five large DATA transfers at once: each goes to a staged file that no
// listing shows, and is filed (and accepted) only when complete.
TEST_F(LiveAttack, ParallelDataIsSpooledNotHeld)
{
    const QByteArray line = QByteArray(998, 'x') + "\r\n";
    QByteArray text = "Subject: big\r\n\r\n";
    while (text.size() < 8 * 1024 * 1024)
        text += line;
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < 5; ++i) {
        clients.push_back(connectTo(smtpPort()));
        until(*clients.back());
        clients.back()->socket.write("HELO me\r\nMAIL FROM:<a@x.jp>\r\nRCPT TO:<b@y.jp>\r\nDATA\r\n");
        until(*clients.back(), "by itself\r\n");
        clients.back()->socket.write(text);
    }
    qsizetype most = 0;
    bool stagedSeen = false;
    waitFor(
        [&] {
            most = std::max(most, m_server->heldBytes());
            stagedSeen |= !QDir(m_store.folderPath(Box::OutBox)).entryList(QDir::Files | QDir::Hidden).isEmpty()
                && m_store.listing(Box::OutBox).isEmpty();
            for (auto &client : clients) {
                if (client->socket.bytesToWrite() > 0)
                    return false;
            }
            return true;
        },
        60000);
    EXPECT_TRUE(stagedSeen);
    EXPECT_TRUE(m_store.listing(Box::OutBox).isEmpty());
    for (auto &client : clients)
        EXPECT_EQ(exchange(*client, "."), "250 Mail accepted\r\n");
    EXPECT_LT(most, 4 * 1024 * 1024);
    const QStringList filed = m_store.listing(Box::OutBox);
    ASSERT_EQ(filed.size(), 5);
    EXPECT_TRUE(m_store.read(Box::OutBox, filed[0]).endsWith(text));
    EXPECT_EQ(QDir(m_store.folderPath(Box::OutBox)).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

TEST_F(LiveAttack, ConnectionsBeyondTheCapAreClosedAtOnce)
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < LocalMailServer::MaxConnectionsPerPort + 4; ++i)
        clients.push_back(connectTo(pop3Port()));
    int greeted = 0;
    int closed = 0;
    for (auto &client : clients) {
        const QByteArray greeting = until(*client);
        greeted += greeting.startsWith("+OK") ? 1 : 0;
        closed += greeting.isEmpty() ? 1 : 0;
    }
    EXPECT_EQ(greeted, LocalMailServer::MaxConnectionsPerPort);
    EXPECT_EQ(closed, 4);
}

} // namespace
} // namespace vesk::test
