#include "LiveServerFixture.h"

#include "net/TKTcpServer.h"

#include <QTcpServer>

namespace vesk::test {
namespace {

using LiveSession = LiveServerFixture;

TEST_F(LiveSession, TwoMailersAtOnceGetTheirOwnDialogues)
{
    auto one = connectTo(pop3Port());
    auto two = connectTo(pop3Port());
    EXPECT_TRUE(until(*one).startsWith("+OK Vesk Pop3 server at testhost starting. <"));
    EXPECT_TRUE(until(*two).startsWith("+OK Vesk Pop3 server at testhost starting. <"));
    EXPECT_EQ(exchange(*one, "USER taro"), "+OK Password required for taro.\r\n");
    EXPECT_EQ(exchange(*two, "USER jiro"), "+OK Password required for jiro.\r\n");
    EXPECT_TRUE(exchange(*one, "PASS pa55word").startsWith("+OK taro has 0 message(s)"));
    EXPECT_EQ(exchange(*two, "PASS pa55word"), "-ERR Password supplied for \"jiro\" is incorrect.\r\n");
    EXPECT_EQ(m_server->dialogueCount(), 2);
}

TEST_F(LiveSession, PipelinedBodyWithTheDotLineInOnePacket)
{
    auto client = connectTo(smtpPort());
    until(*client);
    client->socket.write("HELO me\r\nMAIL FROM:<a@x.jp>\r\nRCPT TO:<b@y.jp>\r\nDATA\r\n");
    until(*client, "by itself\r\n");
    EXPECT_EQ(exchange(*client, "Subject: s\r\n\r\nlast text\r\n."), "250 Mail accepted\r\n");
    ASSERT_EQ(m_store.listing(Box::OutBox).size(), 1);
    EXPECT_TRUE(m_store.read(Box::OutBox, m_store.listing(Box::OutBox)[0]).endsWith("\r\n\r\nlast text\r\n"));
}

TEST_F(LiveSession, DisconnectInTheMiddleOfDataFilesNothing)
{
    auto client = connectTo(smtpPort());
    until(*client);
    client->socket.write("HELO me\r\nMAIL FROM:<a@x.jp>\r\nRCPT TO:<b@y.jp>\r\nDATA\r\n");
    until(*client, "by itself\r\n");
    client->socket.write("Subject: cut\r\n\r\nhalf a message\r\n");
    client->socket.flush();
    client->socket.disconnectFromHost();
    ASSERT_TRUE(waitFor([&] { return m_server->dialogueCount() == 0; }));
    EXPECT_TRUE(m_store.listing(Box::OutBox).isEmpty());
    EXPECT_EQ(m_state.marker, "");
}

TEST_F(LiveSession, SmtpQuitStartsTheSendCycleUnlessSendingIsHeld)
{
    auto client = connectTo(smtpPort());
    until(*client);
    EXPECT_EQ(exchange(*client, "QUIT"), "221 Vesk Smtp closing connection\r\n");
    EXPECT_TRUE(closedByServer(*client));
    ASSERT_TRUE(waitFor([&] { return !m_host.upLoads.isEmpty(); }));
    EXPECT_EQ(m_host.upLoads, QList<int> { TriggerMailer });

    m_config.ManuSend = true;
    m_server->setConfig(m_config);
    auto held = connectTo(smtpPort());
    until(*held);
    exchange(*held, "HELO me");
    exchange(*held, "MAIL FROM:<a@x.jp>");
    exchange(*held, "RCPT TO:<b@y.jp>");
    exchange(*held, "DATA");
    exchange(*held, "x\r\n.");
    EXPECT_EQ(exchange(*held, "QUIT"), "221 Vesk Smtp closing connection\r\n");
    EXPECT_TRUE(closedByServer(*held));
    // The end has run once the display is back to normal.
    ASSERT_TRUE(waitFor([&] { return m_host.modes.contains(0); }));
    EXPECT_EQ(m_host.upLoads.size(), 1);
    EXPECT_EQ(m_store.listing(Box::OutBox).size(), 1);
}

TEST_F(LiveSession, SilentClientIsClosedAfterOverTime)
{
    m_config.OverTime = 1;
    m_server->setConfig(m_config);
    auto silent = connectTo(pop3Port());
    until(*silent);
    silent->socket.write("USER taro\r\n");
    EXPECT_TRUE(closedByServer(*silent));
    EXPECT_EQ(silent->received, "+OK Password required for taro.\r\n");
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_FALSE(m_state.pop3Active);
    EXPECT_TRUE(waitFor([&] { return m_server->dialogueCount() == 0; }));
}

TEST_F(LiveSession, StoppingTheServersDropsTheirConnections)
{
    auto client = connectTo(pop3Port());
    until(*client);
    exchange(*client, "USER taro");
    EXPECT_TRUE(m_state.pop3Active);
    m_state.marker = QStringLiteral("."); // a provider session is starting
    m_server->stopMailer1();
    EXPECT_TRUE(closedByServer(*client));
    EXPECT_EQ(m_server->dialogueCount(), 0);
    EXPECT_EQ(m_state.marker, ".");
    EXPECT_FALSE(m_state.pop3Active);
    m_server->startMailer1();
    EXPECT_NE(pop3Port(), 0);
}

TEST_F(LiveSession, PortInUseIsReportedWithItsNumberAndText)
{
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost));
    m_config.POP3_VeskMailer2 = squatter.serverPort();
    m_server->setConfig(m_config);
    m_server->startMailer2();
    ASSERT_EQ(m_listenErrors.size(), 1);
    EXPECT_EQ(m_listenErrors[0],
        QString::number(squatter.serverPort()) + QStringLiteral(" WSAEADDRINUSE アドレスがすでに使用中です"));
    EXPECT_NE(m_server->listeningPort(MailerPort::SmtpMailer2), 0);
    EXPECT_EQ(m_state.marker, "x");
}

TEST_F(LiveSession, MailerTwoIsServedOnItsOwnPortsAndOverIpv6)
{
    m_config.DevideON = true;
    m_server->setConfig(m_config);
    m_server->startMailer2();
    put(Box::InBox2, "1.ID", "Subject: for two\r\n\r\n");
    auto client = connectTo(m_server->listeningPort(MailerPort::Pop3Mailer2));
    until(*client);
    exchange(*client, "USER taro");
    EXPECT_EQ(exchange(*client, "PASS pa55word"), "+OK taro has 1 message(s) (20 octets).\r\n");
    if (!m_server->srvPOP32().listensOnIPv6())
        GTEST_SKIP() << "no IPv6 loopback";
    auto six = connectTo(m_server->listeningPort(MailerPort::SmtpMailer2), QStringLiteral("::1"));
    EXPECT_TRUE(until(*six).startsWith("220 testhost Vesk Mail Server ready at "));
}

} // namespace
} // namespace vesk::test
