// What a hostile local user or web page tried against the local servers.
#include "DialogueFixture.h"
#include "support/FreePort.h"
#include "support/LiveServerFixture.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>

#include <unistd.h>

namespace vesk::test {
namespace {

using Attack = DialogueFixture;

// A web page's form posted to 127.0.0.1: nothing after the request line or a
// header may be taken as a command. A client that only sends unknown
// commands is no mailer either.
TEST_F(Attack, HttpLinesDropTheConnectionAndUnknownOnesCloseIt)
{
    for (const QByteArray line : { "POST / HTTP/1.1", "get /x HTTP/1.0", "CONNECT a:25 HTTP/1.1",
             "OPTIONS * HTTP/1.1", "Host: 127.0.0.1:1025", "User-Agent: Mozilla/5.0" }) {
        Peer &peer = open(MailerPort::SmtpMailer1);
        peer.sink.take();
        EXPECT_EQ(
            raw(peer, line + "\r\nHELO x\r\nMAIL FROM:<a@x>\r\nRCPT TO:<b@y>\r\nDATA\r\nspam\r\n.\r\n"), "");
        EXPECT_TRUE(peer.sink.closed) << line.constData();
    }
    EXPECT_TRUE(listing(Box::OutBox).isEmpty());
    Peer &peer = open(MailerPort::Pop3Mailer1);
    raw(peer, "CAPA\r\nAUTH\r\nUSER taro\r\nCAPA\r\nAUTH\r\nSTLS\r\nXTND\r\n");
    EXPECT_FALSE(peer.sink.closeAfterSendCalled);
    EXPECT_EQ(say(peer, "EHLO"), "-ERR unknown command \"EHLO\".\r\n");
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);
}

// What a mailer sends to log in never shows on the monitor, nor in a saved
// log: neither an AUTH's initial response, nor the lines that answer its
// challenges, nor a password that is not the provider's.
TEST_F(Attack, MailerCredentialsAreMaskedOnTheMonitor)
{
    recordMonitor();
    Peer &pop3 = open(MailerPort::Pop3Mailer1);
    raw(pop3, "AUTH PLAIN AHRhcm8Ac2VjcmV0\r\nUSER taro\r\nPASS guessed-secret\r\n");
    Peer &smtp = open(MailerPort::SmtpMailer1);
    raw(smtp, "AUTH LOGIN\r\ndGFybw==\r\nc2VjcmV0\r\nHELO x\r\n");
    const QString shown = m_monitorLines.join(u'\n');
    for (const char *secret : { "AHRhcm8Ac2VjcmV0", "guessed-secret", "dGFybw==", "c2VjcmV0" })
        EXPECT_FALSE(shown.contains(QLatin1String(secret))) << secret;
    EXPECT_TRUE(shown.contains(QLatin1String("HELO x")));
}

// Thousands of pipelined guesses in one write: one answer at a time, each
// later than the one before, the connection gone after the third; the
// penalty holds a right password back too, so a client giving up on a slow
// answer learns nothing.
TEST_F(Attack, PasswordGuessesAreAnsweredLateAndFew)
{
    Peer &peer = open(MailerPort::Pop3Mailer1);
    peer.sink.take();
    QByteArray guesses;
    for (int i = 0; i < 5000; ++i)
        guesses += "USER taro\r\nPASS guess" + QByteArray::number(i) + "\r\n";
    raw(peer, guesses);
    for (qint64 wait : { 2000, 4000, 8000 }) {
        m_timers.advance(wait - 1);
        EXPECT_FALSE(drain(peer).contains("-ERR"));
        m_timers.advance(1);
        EXPECT_TRUE(drain(peer).startsWith("-ERR Password supplied for \"taro\" is incorrect.\r\n"));
    }
    EXPECT_TRUE(peer.sink.closeAfterSendCalled);
    Peer &next = open(MailerPort::Pop3Mailer2);
    say(next, "USER taro");
    say(next, "PASS Secret1");
    EXPECT_FALSE(drain(next).contains("has 0 message(s)"));
    m_timers.advance(8000);
    EXPECT_TRUE(drain(next).contains("+OK taro has 0 message(s)"));
}

using LiveAttack = LiveServerFixture;

// While a provider session runs a mailer finds the port closed, but nobody
// else can take it.
TEST_F(LiveAttack, PortsStayBoundWhileAProviderSessionRuns)
{
    const quint16 pop3 = port(MailerPort::Pop3Mailer1);
    m_state.marker = QStringLiteral("."); // the session owns the marker
    m_server.holdForSession();
    QTcpServer squatter;
    EXPECT_FALSE(squatter.listen(QHostAddress::LocalHost, pop3));
    QByteArray greeting;
    auto refused = connectTo(pop3, &greeting);
    EXPECT_EQ(greeting, "");
    EXPECT_EQ(refused->state(), QAbstractSocket::UnconnectedState);
    m_state.marker.clear();
    m_server.resumeAfterSession();
    connectTo(pop3, &greeting);
    EXPECT_TRUE(greeting.startsWith("+OK Vesk Pop3 server"));
}

// Another local account reaches the loopback ports too; it is closed before
// any greeting, on both protocols, while the user's own clients are served.
TEST_F(LiveAttack, AnotherUsersConnectionIsClosedBeforeTheGreeting)
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
        GTEST_SKIP() << "needs root and runuser to act as a second account";
    recordMonitor();
    const QString client = QStringLiteral(
        "import socket,sys\n"
        "s=socket.create_connection(('127.0.0.1',int(sys.argv[1])),5)\n"
        "s.settimeout(5)\n"
        "sys.stdout.write(repr(s.recv(100)))\n");
    for (const MailerPort which : { MailerPort::Pop3Mailer1, MailerPort::SmtpMailer1 }) {
        const ProgramResult other = runProgram(QStringLiteral("runuser"),
            { QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), systemPython(),
                QStringLiteral("-c"), client, QString::number(port(which)) });
        EXPECT_EQ(other.out, "b''") << other.err.constData();
        QByteArray greeting;
        connectTo(port(which), &greeting);
        EXPECT_FALSE(greeting.isEmpty());
    }
    EXPECT_TRUE(m_monitorLines.join('\n').contains(QStringLiteral("nobody")));
}

// Another account took a mailer's port before Vesk: the user is told who
// holds it, and the port is listed as not open.
TEST_F(LiveAttack, APortTakenByAnotherAccountIsReportedWithItsHolder)
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
        GTEST_SKIP() << "needs root and runuser to act as a second account";
    const quint16 taken = freePort();
    QProcess squatter;
    squatter.start(QStringLiteral("runuser"),
        { QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), systemPython(), QStringLiteral("-c"),
            QStringLiteral("import socket,sys,time\n"
                           "s=socket.socket();s.bind(('127.0.0.1',%1));s.listen()\n"
                           "print('ready',flush=True);time.sleep(60)\n")
                .arg(taken) });
    ASSERT_TRUE(waitFor([&] { return squatter.readAllStandardOutput().contains("ready"); }, 10000));
    QString said;
    m_server.setListenErrorHandler(
        [&](quint16 port, const QString &, const QString &holder) { said = QString::number(port) + ' ' + holder; });
    m_server.stopMailer1();
    m_config.POP3_VeskMailer1 = taken;
    m_server.setConfig(m_config);
    m_server.startMailer1();
    waitFor([&] { return !said.isEmpty(); }, 5000);
    squatter.kill();
    squatter.waitForFinished();
    EXPECT_TRUE(said.startsWith(QString::number(taken) + QStringLiteral(" nobody (uid "))) << said.toStdString();
    EXPECT_EQ(m_server.unopenedPorts(), QList<quint16> { taken });
}

// A client that floods commands and never reads its replies: what is held
// for it stays small, and the others are served meanwhile.
TEST_F(LiveAttack, StalledClientHoldsLittleAndStallsNobody)
{
    for (int i = 0; i < 20; ++i)
        put(Box::InBox, QStringLiteral("2026120608000000%1.ID").arg(i, 2, 10, QChar('0')),
            "Subject: s\r\n\r\nb\r\n");
    QByteArray greeting;
    auto flood = connectTo(port(MailerPort::Pop3Mailer1), &greeting);
    flood->write("USER taro\r\nPASS pa55word\r\n" + QByteArray("LIST\r\nUIDL\r\n").repeated(100000));
    qsizetype most = 0;
    waitFor([&] { return (most = std::max(most, m_server.heldBytes()), false); }, 2000);
    auto other = connectTo(port(MailerPort::Pop3Mailer1), &greeting);
    exchange(*other, "USER taro");
    EXPECT_TRUE(exchange(*other, "PASS pa55word").startsWith("+OK taro has 20 message(s)"));
    EXPECT_TRUE(exchange(*other, "UIDL").endsWith("\r\n.\r\n"));
    EXPECT_LT(std::max(most, m_server.heldBytes()), 1024 * 1024);
}

// Five large DATA transfers at once: each goes to a staged file no listing
// shows, and is filed (and accepted) only when complete.
TEST_F(LiveAttack, ParallelDataIsSpooledNotHeld)
{
    const QByteArray text = "Subject: big\r\n\r\n" + (QByteArray(998, 'x') + "\r\n").repeated(8000);
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    QByteArray greeting;
    for (int i = 0; i < 5; ++i) {
        clients.push_back(connectTo(port(MailerPort::SmtpMailer1), &greeting));
        clients.back()->write("HELO me\r\nMAIL FROM:<a@x.jp>\r\nRCPT TO:<b@y.jp>\r\nDATA\r\n");
        until(*clients.back(), "by itself\r\n");
        clients.back()->write(text);
    }
    qsizetype most = 0;
    const auto sent = [&] {
        most = std::max(most, m_server.heldBytes());
        return std::all_of(clients.begin(), clients.end(), [](auto &c) { return c->bytesToWrite() == 0; });
    };
    ASSERT_TRUE(waitFor(sent, 60000));
    EXPECT_TRUE(m_store.listing(Box::OutBox).isEmpty());
    EXPECT_FALSE(QDir(m_store.folderPath(Box::OutBox)).entryList(QDir::Files | QDir::Hidden).isEmpty());
    for (auto &client : clients)
        EXPECT_EQ(exchange(*client, "."), "250 Mail accepted\r\n");
    EXPECT_LT(most, 4 * 1024 * 1024);
    ASSERT_EQ(m_store.listing(Box::OutBox).size(), 5);
    EXPECT_TRUE(m_store.read(Box::OutBox, m_store.listing(Box::OutBox)[0]).endsWith(text));
}

} // namespace
} // namespace vesk::test
