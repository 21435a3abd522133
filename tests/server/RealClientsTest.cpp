#include "LiveServerFixture.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vesk::test {
namespace {

const QByteArray First
    = "VeskFrom: <a@x.jp>\r\nVeskTo: <taro@example.jp>\r\n"
      "Subject: first\r\nMessage-ID: <one@x.jp>\r\n\r\nhello\r\n..dotted\r\n...\r\nend\r\n";
const QByteArray Second = "Subject: second\r\n\r\nbody two\r\n";
const QByteArray Third = "Subject: third\r\nX-UIDL: uid-three\r\n\r\nbody three\r\n";

class RealClients : public LiveServerFixture
{
protected:
    void SetUp() override
    {
        LiveServerFixture::SetUp();
        put(Box::InBox,
            "20261206080000000"
            "0.ID",
            First);
        put(Box::InBox,
            "20261206080000000"
            "1.ID",
            Second);
        put(Box::InBox,
            "20261206080000000"
            "2.ID",
            Third);
    }
    QString popUrl(const QString &path = QString()) const
    {
        return QStringLiteral("pop3://127.0.0.1:%1/").arg(pop3Port()) + path;
    }
    QJsonArray poplib(const QStringList &steps)
    {
        const Result result = python(QStringLiteral("pop3_client.py"),
            QStringList { QString::number(pop3Port()), QStringLiteral("taro"), QStringLiteral("pa55word") }
                + steps);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return QJsonDocument::fromJson(result.out).array();
    }
    QString messageFile(const QByteArray &content)
    {
        const QString path = m_dir.path() + QStringLiteral("/message%1.txt").arg(++m_files);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    int m_files = 0;
};

TEST_F(RealClients, CurlListsRetrievesAndDeletes)
{
    const QStringList login { QStringLiteral("-s"), QStringLiteral("-u"), QStringLiteral("taro:pa55word") };
    Result listing = run(QStringLiteral("curl"), login + QStringList { popUrl() });
    EXPECT_EQ(listing.exitCode, 0);
    EXPECT_EQ(listing.out,
        "1 " + QByteArray::number(First.size()) + "\r\n2 " + QByteArray::number(Second.size()) + "\r\n3 "
            + QByteArray::number(Third.size()) + "\r\n");

    // Received without the envelope; curl takes the doubled dots away.
    Result message = run(QStringLiteral("curl"), login + QStringList { popUrl(QStringLiteral("1")) });
    EXPECT_EQ(message.exitCode, 0);
    EXPECT_EQ(
        message.out, "Subject: first\r\nMessage-ID: <one@x.jp>\r\n\r\nhello\r\n.dotted\r\n..\r\nend\r\n");

    Result apop = run(QStringLiteral("curl"),
        login + QStringList { QStringLiteral("--login-options"), QStringLiteral("AUTH=+APOP"), popUrl("3") });
    EXPECT_EQ(apop.exitCode, 0);
    EXPECT_EQ(apop.out, Third);

    // -I: DELE has a one-line reply, no listing for curl to wait for.
    Result dele = run(QStringLiteral("curl"),
        login
            + QStringList { QStringLiteral("-I"), QStringLiteral("-X"), QStringLiteral("DELE 1"), popUrl() });
    EXPECT_EQ(dele.exitCode, 0) << dele.err.toStdString();
    EXPECT_EQ(m_store.listing(Box::InBox),
        (QStringList { "20261206080000000"
                       "1.ID",
            "20261206080000000"
            "2.ID" }));
}

TEST_F(RealClients, CurlUploadToSeveralRecipientsIsFiledOnce)
{
    const QString file = messageFile("Subject: up\r\nMessage-ID: <m1@127.0.0.1>\r\n\r\nline\r\n.dot\r\n");
    Result upload = run(QStringLiteral("curl"),
        { QStringLiteral("-s"), QStringLiteral("smtp://127.0.0.1:%1").arg(smtpPort()),
            QStringLiteral("--mail-from"), QStringLiteral("a@x.jp"), QStringLiteral("--mail-rcpt"),
            QStringLiteral("b@y.jp"), QStringLiteral("--mail-rcpt"), QStringLiteral("c@z.jp"),
            QStringLiteral("-T"), file });
    EXPECT_EQ(upload.exitCode, 0) << upload.err.toStdString();
    const QStringList names = m_store.listing(Box::OutBox);
    ASSERT_EQ(names.size(), 1);
    const QList<QByteArray> lines = m_store.read(Box::OutBox, names[0]).split('\n');
    EXPECT_EQ(lines.value(0), "VeskFrom: <a@x.jp>\r");
    EXPECT_EQ(lines.value(1), "VeskTo: <b@y.jp>\r");
    EXPECT_EQ(lines.value(2), "VeskTo: <c@z.jp>\r");
    EXPECT_TRUE(lines.value(3).startsWith("Received: from "));
    EXPECT_TRUE(lines.value(3).contains(" by testhost (Vesk 2.81) with SMTP id "));
    EXPECT_TRUE(lines.value(3).endsWith(" +0900\r"));
    EXPECT_EQ(
        lines.mid(4).join('\n'), "Subject: up\r\nMessage-ID: <m1@pop.example.jp>\r\n\r\nline\r\n..dot\r\n");
}

TEST_F(RealClients, PoplibUserPassListUidlTopRetr)
{
    const QJsonArray got = poplib({ "stat", "list", "uidl", "top:1:0", "top:1:1", "retr:1", "quit" });
    ASSERT_EQ(got.size(), 9);
    EXPECT_TRUE(got[0].toString().startsWith("+OK Vesk Pop3 server at testhost starting. <"));
    EXPECT_EQ(got[2].toArray(), (QJsonArray { 3, First.size() + Second.size() + Third.size() }));
    EXPECT_EQ(got[3].toArray()[1].toString(), QStringLiteral("1 %1").arg(First.size()));
    EXPECT_EQ(got[4].toArray(),
        (QJsonArray {
            "+OK unique-id listing follows.", "1 one@x.jp", "2 202612060800000001", "3 uid-three" }));
    EXPECT_EQ(got[5].toString(), "Subject: first\nMessage-ID: <one@x.jp>\n");
    EXPECT_EQ(got[6].toString(), "Subject: first\nMessage-ID: <one@x.jp>\n\nhello");
    EXPECT_EQ(got[7].toString(), "Subject: first\nMessage-ID: <one@x.jp>\n\nhello\n.dotted\n..\nend");
    EXPECT_EQ(got[8].toString(), "+OK VESK Pop server at localhost signing off.");
}

TEST_F(RealClients, PoplibApopLogsIn)
{
    const Result result = python(QStringLiteral("pop3_client.py"),
        { QString::number(pop3Port()), QStringLiteral("taro@example.jp"), QStringLiteral("pa55word"),
            QStringLiteral("--apop"), QStringLiteral("stat"), QStringLiteral("quit") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonArray got = QJsonDocument::fromJson(result.out).array();
    EXPECT_EQ(got[1].toString(),
        QStringLiteral("+OK taro@example.jp has 3 message(s) (%1 octets).")
            .arg(First.size() + Second.size() + Third.size()));
}

TEST_F(RealClients, PoplibDeletingAllInAscendingOrderEmptiesTheBox)
{
    const QJsonArray got = poplib({ "retr:1", "retr:2", "retr:3", "dele:1", "dele:2", "dele:3", "quit" });
    EXPECT_EQ(got[5].toString(), "+OK Message 1 has been deleted.");
    EXPECT_EQ(got[7].toString(), "+OK Message 3 has been deleted.");
    EXPECT_TRUE(m_store.listing(Box::InBox).isEmpty());
}

TEST_F(RealClients, PoplibDeletingSomeKeepsExactlyTheOthers)
{
    poplib({ "dele:1", "dele:2", "quit" });
    EXPECT_EQ(m_store.listing(Box::InBox),
        QStringList { "20261206080000000"
                      "2.ID" });
    poplib({ "dele:1", "quit" });
    EXPECT_TRUE(m_store.listing(Box::InBox).isEmpty());
}

TEST_F(RealClients, SmtplibSendmailWithSeveralRecipientsFilesOneMessage)
{
    const QString file
        = messageFile("From: Taro <a@x.jp>\r\nMessage-ID: <abc@127.0.0.1>\r\nSubject: s\r\n\r\n"
                      ".starts with a dot\r\nbody\r\n");
    const Result result = python(QStringLiteral("smtp_client.py"),
        { QString::number(smtpPort()), QStringLiteral("a@x.jp"), QStringLiteral("b@y.jp,c@z.jp,d@w.jp"),
            file });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), "{}");
    const QStringList names = m_store.listing(Box::OutBox);
    ASSERT_EQ(names.size(), 1);
    const QByteArray content = m_store.read(Box::OutBox, names[0]);
    EXPECT_TRUE(content.startsWith(
        "VeskFrom: <a@x.jp>\r\nVeskTo: <b@y.jp>\r\nVeskTo: <c@z.jp>\r\nVeskTo: <d@w.jp>\r\nReceived: from "));
    EXPECT_TRUE(
        content.endsWith("\r\nFrom: Taro <a@x.jp>\r\nMessage-ID: <abc@pop.example.jp>\r\nSubject: s\r\n\r\n"
                         "..starts with a dot\r\nbody\r\n"));
}

} // namespace
} // namespace vesk::test
