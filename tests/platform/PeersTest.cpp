#include "support/DovecotPeer.h"
#include "support/SmtpSinkPeer.h"

#include <QTcpSocket>

#include <gtest/gtest.h>

namespace vesk::test {

// The real peers the protocol tests rely on: if these fail, the machine is
// missing a package (scripts/install-deps) rather than Vesk being wrong.
TEST(Peers, DovecotServesWhatWasDeliveredAndAiosmtpdRecords)
{
    DovecotPeer pop;
    QString error;
    ASSERT_TRUE(pop.start(&error)) << error.toStdString();
    ASSERT_TRUE(pop.addMessage("Subject: one\r\n\r\nbody\r\n"));
    EXPECT_EQ(pop.messageCount(), 1);

    SmtpSinkPeer smtp;
    ASSERT_TRUE(smtp.start(QString(), &error)) << error.toStdString();
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), smtp.port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    auto reply = [&] {
        QByteArray line;
        while (!line.endsWith("\r\n") && socket.waitForReadyRead(5000))
            line += socket.readAll();
        return line;
    };
    EXPECT_TRUE(reply().startsWith("220"));
    for (const char *command :
        { "HELO me\r\n", "MAIL FROM:<a@example.jp>\r\n", "RCPT TO:<b@example.jp>\r\n" }) {
        socket.write(command);
        EXPECT_TRUE(reply().startsWith("250")) << command;
    }
    socket.write("DATA\r\n");
    EXPECT_TRUE(reply().startsWith("354"));
    socket.write("Subject: x\r\n\r\n..dot\r\n.\r\n");
    EXPECT_TRUE(reply().startsWith("250"));
    socket.write("QUIT\r\n");
    reply();
    const auto got = smtp.received();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].mailFrom, "a@example.jp");
    EXPECT_EQ(got[0].rcptTos, QStringList { "b@example.jp" });
    EXPECT_EQ(got[0].data, QByteArray("Subject: x\r\n\r\n.dot\r\n"));
}

} // namespace vesk::test
