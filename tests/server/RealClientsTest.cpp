#include "support/LiveServerFixture.h"
#include "support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vesk::test {
namespace {

const QByteArray First
    = "VeskFrom: <a@x.jp>\r\nVeskTo: <taro@example.jp>\r\n"
      "Subject: first\r\nMessage-ID: <one@x.jp>\r\n\r\nhello\r\n..dotted\r\n...\r\nend\r\n";
const QByteArray Second = "Subject: second\r\n\r\nbody two\r\n";
const QByteArray Third = "Subject: third\r\nX-UIDL: uid-three\r\n\r\nbody three\r\n";
const qsizetype Total = First.size() + Second.size() + Third.size();

class RealClients : public LiveServerFixture
{
protected:
    void SetUp() override
    {
        LiveServerFixture::SetUp();
        put(Box::InBox, "202612060800000000.ID", First);
        put(Box::InBox, "202612060800000001.ID", Second);
        put(Box::InBox, "202612060800000002.ID", Third);
    }
    QString popUrl(const QString &path = QString()) const
    {
        return QStringLiteral("pop3://127.0.0.1:%1/").arg(port(MailerPort::Pop3Mailer1)) + path;
    }
    ProgramResult curl(const QStringList &arguments)
    {
        return runProgram(QStringLiteral("curl"), QStringList { "-s", "-u", "taro:pa55word" } + arguments);
    }
    QJsonArray poplib(const QStringList &steps, const QString &user = QStringLiteral("taro"))
    {
        const ProgramResult result = python(QStringLiteral("pop3_client.py"),
            QStringList { QString::number(port(MailerPort::Pop3Mailer1)), user, "pa55word" } + steps);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return QJsonDocument::fromJson(result.out).array();
    }
    QString messageFile(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("message.txt"));
        EXPECT_TRUE(writeFile(path, content));
        return path;
    }
};

TEST_F(RealClients, CurlListsRetrievesWithApopAndDeletes)
{
    ProgramResult listing = curl({ popUrl() });
    EXPECT_EQ(listing.out,
        "1 " + QByteArray::number(First.size()) + "\r\n2 " + QByteArray::number(Second.size()) + "\r\n3 "
            + QByteArray::number(Third.size()) + "\r\n");
    // Received without the envelope; curl takes the doubled dots away.
    EXPECT_EQ(curl({ popUrl("1") }).out,
        "Subject: first\r\nMessage-ID: <one@x.jp>\r\n\r\nhello\r\n.dotted\r\n..\r\nend\r\n");
    ProgramResult apop = curl({ "--login-options", "AUTH=+APOP", popUrl("3") });
    EXPECT_EQ(apop.exitCode, 0);
    EXPECT_EQ(apop.out, Third);
    // -I: DELE has a one-line reply, no listing for curl to wait for.
    ProgramResult dele = curl({ "-I", "-X", "DELE 1", popUrl() });
    EXPECT_EQ(dele.exitCode, 0) << dele.err.toStdString();
    EXPECT_EQ(
        m_store.listing(Box::InBox), (QStringList { "202612060800000001.ID", "202612060800000002.ID" }));
}

TEST_F(RealClients, CurlUploadToSeveralRecipientsIsFiledOnce)
{
    const QString file = messageFile("Subject: up\r\nMessage-ID: <m1@127.0.0.1>\r\n\r\nline\r\n.dot\r\n");
    ProgramResult upload = curl({ QStringLiteral("smtp://127.0.0.1:%1").arg(port(MailerPort::SmtpMailer1)),
        "--mail-from", "a@x.jp", "--mail-rcpt", "b@y.jp", "--mail-rcpt", "c@z.jp", "-T", file });
    EXPECT_EQ(upload.exitCode, 0) << upload.err.toStdString();
    ASSERT_EQ(listing(Box::OutBox).size(), 1);
    const QByteArray filed = content(Box::OutBox);
    EXPECT_TRUE(
        filed.startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nVeskTo: <c@z.jp>\r\nReceived: from "));
    EXPECT_TRUE(
        filed.contains(" by testhost (Vesk 2.81) with SMTP id 5D864000; Sun, 06 Dec 2026 08:00:00 +0900\r\n"
                       "Subject: up\r\nMessage-ID: <m1@pop.example.jp>\r\n\r\nline\r\n..dot\r\n"));
}

TEST_F(RealClients, PoplibUserPassListUidlTopRetr)
{
    const QJsonArray got = poplib({ "stat", "list", "uidl", "top:1:0", "top:1:1", "retr:1", "quit" });
    ASSERT_EQ(got.size(), 9);
    EXPECT_TRUE(got[0].toString().startsWith("+OK Vesk Pop3 server at testhost starting. <"));
    EXPECT_EQ(got[2].toArray(), (QJsonArray { 3, Total }));
    EXPECT_EQ(got[3].toArray()[1].toString(), QStringLiteral("1 %1").arg(First.size()));
    EXPECT_EQ(got[4].toArray(),
        (QJsonArray {
            "+OK unique-id listing follows.", "1 one@x.jp", "2 202612060800000001", "3 uid-three" }));
    EXPECT_EQ(got[5].toString(), "Subject: first\nMessage-ID: <one@x.jp>\n");
    EXPECT_EQ(got[6].toString(), "Subject: first\nMessage-ID: <one@x.jp>\n\nhello");
    EXPECT_EQ(got[7].toString(), "Subject: first\nMessage-ID: <one@x.jp>\n\nhello\n.dotted\n..\nend");
    EXPECT_EQ(got[8].toString(), "+OK VESK Pop server at localhost signing off.");
}

TEST_F(RealClients, PoplibApopWithTheFullAddressLogsIn)
{
    const QJsonArray got = poplib({ "--apop", "stat", "quit" }, QStringLiteral("taro@example.jp"));
    EXPECT_EQ(
        got[1].toString(), QStringLiteral("+OK taro@example.jp has 3 message(s) (%1 octets).").arg(Total));
}

TEST_F(RealClients, PoplibDeletesExactlyWhatItNamedAndNumbersStay)
{
    const QJsonArray got = poplib({ "retr:1", "dele:1", "dele:2", "quit" });
    EXPECT_EQ(got[3].toString(), "+OK Message 1 has been deleted.");
    EXPECT_EQ(m_store.listing(Box::InBox), QStringList { "202612060800000002.ID" });
    EXPECT_EQ(poplib({ "dele:1", "quit" })[2].toString(), "+OK Message 1 has been deleted.");
    EXPECT_TRUE(m_store.listing(Box::InBox).isEmpty());
}

TEST_F(RealClients, SmtplibSendmailWithSeveralRecipientsFilesOneMessage)
{
    const QString file
        = messageFile("From: Taro <a@x.jp>\r\nMessage-ID: <abc@127.0.0.1>\r\nSubject: s\r\n\r\n"
                      ".starts with a dot\r\nbody\r\n");
    const ProgramResult result = python(QStringLiteral("smtp_client.py"),
        { QString::number(port(MailerPort::SmtpMailer1)), "a@x.jp", "b@y.jp,c@z.jp,d@w.jp", file });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), "{}");
    ASSERT_EQ(listing(Box::OutBox).size(), 1);
    EXPECT_TRUE(content(Box::OutBox)
                    .startsWith("VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nVeskTo: <c@z.jp>\r\nVeskTo: "
                                "<d@w.jp>\r\nReceived: from "));
    EXPECT_TRUE(content(Box::OutBox)
                    .endsWith("\r\nFrom: Taro <a@x.jp>\r\nMessage-ID: <abc@pop.example.jp>\r\n"
                              "Subject: s\r\n\r\n..starts with a dot\r\nbody\r\n"));
}

TEST_F(RealClients, TwoMailersAtOnceGetTheirOwnDialogues)
{
    QByteArray greeting;
    auto one = connectTo(port(MailerPort::Pop3Mailer1), &greeting);
    auto two = connectTo(port(MailerPort::Pop3Mailer1), &greeting);
    EXPECT_EQ(exchange(*one, "USER taro"), "+OK Password required for taro.\r\n");
    EXPECT_EQ(exchange(*two, "USER jiro"), "+OK Password required for jiro.\r\n");
    EXPECT_TRUE(exchange(*one, "PASS pa55word").startsWith("+OK taro has 3 message(s)"));
    EXPECT_EQ(exchange(*two, "PASS pa55word"), "-ERR Password supplied for \"jiro\" is incorrect.\r\n");
    EXPECT_EQ(m_server.dialogueCount(), 2);
}

TEST_F(RealClients, StoppingTheServersDropsTheirConnections)
{
    QByteArray greeting;
    auto client = connectTo(port(MailerPort::Pop3Mailer1), &greeting);
    exchange(*client, "USER taro");
    EXPECT_TRUE(m_state.pop3Active);
    m_state.marker = QStringLiteral("."); // a provider session is starting
    m_server.stopMailer1();
    EXPECT_TRUE(waitFor([&] { return client->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(m_server.dialogueCount(), 0);
    EXPECT_EQ(m_state.marker, ".");
    EXPECT_FALSE(m_state.pop3Active);
    m_server.startMailer1();
    EXPECT_NE(port(MailerPort::Pop3Mailer1), 0);
}

} // namespace
} // namespace vesk::test
