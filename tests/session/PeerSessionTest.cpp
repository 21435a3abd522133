#include "PeerMessages.h"
#include "SessionFixture.h"

#include "session/OutBoxContents.h"
#include "support/DovecotPeer.h"
#include "support/SmtpSinkPeer.h"

#include <QDir>

#include <algorithm>

namespace vesk::test {

using Lines = QList<QByteArray>;

// Against a private Dovecot as the provider's POP3 server.
class DovecotSession : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        QString error;
        ASSERT_TRUE(m_dovecot.start(&error)) << error.toStdString();
        for (const QByteArray &message : peerMessages())
            ASSERT_TRUE(m_dovecot.addMessage(message));
        m_config.POP3_ServerVesk = m_dovecot.port();
        m_config.UserID = m_dovecot.user();
        m_config.Password = m_dovecot.password();
    }

    // Every message stored exactly as it travelled, and the mailbox empty.
    void expectAllStored()
    {
        EXPECT_EQ(m_state.marker, QString());
        Lines expected;
        for (const QByteArray &message : peerMessages())
            expected << transferForm(message);
        Lines stored = inFiles();
        // Fetched from the highest number down.
        std::reverse(stored.begin(), stored.end());
        EXPECT_EQ(stored, expected);
        EXPECT_EQ(m_dovecot.messageCount(), 0) << m_dovecot.log().toStdString();
    }

    DovecotPeer m_dovecot;
};

TEST_F(DovecotSession, UserPassStoresEveryMessageByteExactAndEmptiesTheMailbox)
{
    EXPECT_EQ(session().downLoad(), 3);
    expectAllStored();
}

TEST_F(DovecotSession, ApopStoresEveryMessageByteExactAndEmptiesTheMailbox)
{
    m_config.Apop = true;
    EXPECT_EQ(session().downLoad(), 3);
    EXPECT_TRUE(m_monitorLines.join('\n').contains(QStringLiteral("<APOP taro ")));
    expectAllStored();
}

TEST_F(DovecotSession, IdenticalMessagesAreAllStored)
{
    const QByteArray copy = peerMessages().first();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(m_dovecot.addMessage(copy));
    EXPECT_EQ(session().downLoad(), 6);
    const Lines stored = inFiles();
    ASSERT_EQ(stored.size(), 6);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), transferForm(copy)), 4);
    EXPECT_EQ(m_dovecot.messageCount(), 0);
}

TEST_F(DovecotSession, CheckOnlyModeLeavesEverythingThere)
{
    m_config.ServerON = false;
    EXPECT_EQ(session().downLoad(), 3) << m_monitorLines.join('\n').toStdString();
    EXPECT_TRUE(inBox().isEmpty());
    EXPECT_EQ(m_dovecot.messageCount(), 3);
}

TEST_F(DovecotSession, AnInBoxThatCannotTakeTheMessageDeletesNothing)
{
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox)).removeRecursively());
    QFile blocker(m_dir.path() + QStringLiteral("/InBox"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    EXPECT_EQ(session().downLoad(), 0);
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(m_host.connErrors, 1);
    // The session ended with QUIT, so a DELE would have been carried out.
    EXPECT_EQ(m_dovecot.messageCount(), 3);
    EXPECT_FALSE(m_monitorLines.join('\n').contains(QStringLiteral("<DELE")));
}

// Against aiosmtpd as the provider's SMTP server.
class SmtpSinkSession : public SessionFixture
{
protected:
    void start(const QString &rejectPattern = QString())
    {
        QString error;
        ASSERT_TRUE(m_sink.start(rejectPattern, &error)) << error.toStdString();
        m_config.SMTP_ServerVesk = m_sink.port();
    }

    // What the receiver gets: the stored text less its envelope, undotted.
    static QByteArray delivered(const QByteArray &message)
    {
        QByteArray out;
        for (const QByteArray &line : splitCrLf(transferForm(message)))
            out += (line.startsWith('.') ? line.mid(1) : line) + "\r\n";
        return out;
    }

    SmtpSinkPeer m_sink;
};

TEST_F(SmtpSinkSession, DeliversEveryFileWithItsEnvelopeAndEmptiesTheOutBox)
{
    start();
    const Lines messages = peerMessages();
    putOut(QStringLiteral("20261206090000001.ID"),
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <a@example.jp>\r\nVeskTo: <b@example.jp>\r\n"
            + transferForm(messages[0]));
    putOut(QStringLiteral("20261206090000002.ID"), "VeskTo: <c@example.jp>\r\n" + transferForm(messages[1]));
    putOut(QStringLiteral("20261206090000003.ID"),
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <d@example.jp>\r\n" + transferForm(messages[2]));

    EXPECT_TRUE(session().mailSend());
    EXPECT_EQ(m_state.marker, QString());
    EXPECT_TRUE(outBox().isEmpty());
    const auto received = m_sink.received();
    ASSERT_EQ(received.size(), 3);
    EXPECT_EQ(received[0].mailFrom, QStringLiteral("taro@example.jp"));
    EXPECT_EQ(received[0].rcptTos,
        (QStringList { QStringLiteral("a@example.jp"), QStringLiteral("b@example.jp") }));
    // No VeskFrom: the From header gives the sender.
    EXPECT_EQ(received[1].mailFrom, QStringLiteral("hanako@example.jp"));
    EXPECT_EQ(received[1].rcptTos, QStringList { QStringLiteral("c@example.jp") });
    EXPECT_EQ(received[2].rcptTos, QStringList { QStringLiteral("d@example.jp") });
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(received[i].data, delivered(messages[i])) << i;
}

TEST_F(SmtpSinkSession, ARejectedRecipientKeepsThatFileAndEveryLaterOne)
{
    start(QStringLiteral("refused"));
    const QByteArray text = "Subject: x\r\n\r\nx\r\n";
    putOut(QStringLiteral("20261206090000001.ID"),
        "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n" + text);
    putOut(QStringLiteral("20261206090000002.ID"),
        "VeskFrom: <t@example.jp>\r\nVeskTo: <b@example.jp>\r\nVeskTo: <refused@example.jp>\r\n" + text);
    putOut(QStringLiteral("20261206090000003.ID"),
        "VeskFrom: <t@example.jp>\r\nVeskTo: <c@example.jp>\r\n" + text);

    EXPECT_FALSE(session().mailSend());
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(outBox(),
        (QStringList { QStringLiteral("20261206090000002.ID"), QStringLiteral("20261206090000003.ID") }));
    const auto received = m_sink.received();
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0].rcptTos, QStringList { QStringLiteral("a@example.jp") });
}

} // namespace vesk::test
