#include "PeerMessages.h"

#include "session/ProviderConnection.h"
#include "support/DovecotPeer.h"
#include "support/ProviderFixture.h"
#include "support/SmtpSinkPeer.h"

#include <algorithm>

namespace vesk::test {
namespace {

using Lines = QList<QByteArray>;

// Against a private Dovecot as the provider's POP3 server.
class DovecotSession : public ProviderFixture
{
protected:
    void SetUp() override
    {
        ProviderFixture::SetUp();
        QString error;
        ASSERT_TRUE(m_dovecot.start(&error)) << error.toStdString();
        for (const QByteArray &message : peerMessages())
            ASSERT_TRUE(m_dovecot.addMessage(message));
        m_config.POP3_ServerVesk = m_dovecot.port();
        m_config.UserID = m_dovecot.user();
        m_config.Password = m_dovecot.password();
    }

    DovecotPeer m_dovecot;
};

TEST_F(DovecotSession, UserPassStoresEveryMessageByteExactAndEmptiesTheMailbox)
{
    EXPECT_EQ(session().downLoad(), 3);
    EXPECT_EQ(m_state.marker, "");
    Lines expected;
    for (const QByteArray &message : peerMessages())
        expected.prepend(transferForm(message)); // fetched from the highest number down
    EXPECT_EQ(contents(Box::InBox), expected);
    EXPECT_EQ(m_dovecot.messageCount(), 0) << m_dovecot.log().toStdString();
    // The local servers are closed meanwhile; the check counts from its start.
    EXPECT_EQ(m_host.calls, (QStringList { "close", "reopen" }));
    EXPECT_EQ(m_host.started, QStringList { "12/6 8:00" });
    EXPECT_EQ(m_monitorLines.value(0), "----- Server > Vesk -----");
    EXPECT_FALSE(session().connection().active());
}

TEST_F(DovecotSession, ApopStoresIdenticalMessagesEachTime)
{
    m_config.Apop = true;
    const QByteArray copy = peerMessages().first();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(m_dovecot.addMessage(copy));
    EXPECT_EQ(session().downLoad(), 6);
    EXPECT_TRUE(m_monitorLines.join('\n').contains("<APOP taro "));
    const Lines stored = contents(Box::InBox);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), transferForm(copy)), 4);
    EXPECT_EQ(m_dovecot.messageCount(), 0);
}

TEST_F(DovecotSession, CheckOnlyModeLeavesEverythingThere)
{
    m_config.ServerON = false;
    EXPECT_EQ(session().downLoad(), 3) << m_monitorLines.join('\n').toStdString();
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
    EXPECT_EQ(m_dovecot.messageCount(), 3);
}

TEST_F(DovecotSession, AnInBoxThatCannotTakeTheMessageDeletesNothing)
{
    blockFolder(Box::InBox);
    EXPECT_EQ(session().downLoad(), 0);
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_EQ(m_host.connErrors, 1);
    // The session ended with QUIT, so a DELE would have been carried out.
    EXPECT_EQ(m_dovecot.messageCount(), 3);
    EXPECT_FALSE(m_monitorLines.join('\n').contains("<DELE"));
}

// Against aiosmtpd as the provider's SMTP server.
class SmtpSinkSession : public ProviderFixture
{
protected:
    void start(const QString &rejectPattern = QString())
    {
        QString error;
        ASSERT_TRUE(m_sink.start(rejectPattern, &error)) << error.toStdString();
        m_config.SMTP_ServerVesk = m_sink.port();
    }

    SmtpSinkPeer m_sink;
};

TEST_F(SmtpSinkSession, DeliversEveryFileWithItsEnvelopeAndEmptiesTheOutBox)
{
    start();
    const Lines messages = peerMessages();
    put(Box::OutBox, "20261206090000001.ID",
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <a@example.jp>\r\nVeskTo: <b@example.jp>\r\n"
            + transferForm(messages[0]));
    put(Box::OutBox, "20261206090000002.ID", "VeskTo: <c@example.jp>\r\n" + transferForm(messages[1]));
    put(Box::OutBox, "20261206090000003.ID",
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <d@example.jp>\r\n" + transferForm(messages[2]));

    EXPECT_TRUE(session().mailSend());
    EXPECT_EQ(m_state.marker, "");
    EXPECT_TRUE(listing(Box::OutBox).isEmpty());
    const auto received = m_sink.received();
    ASSERT_EQ(received.size(), 3);
    EXPECT_EQ(received[0].mailFrom, "taro@example.jp");
    EXPECT_EQ(received[0].rcptTos, (QStringList { "a@example.jp", "b@example.jp" }));
    // No VeskFrom: the From header gives the sender.
    EXPECT_EQ(received[1].mailFrom, "hanako@example.jp");
    EXPECT_EQ(received[1].rcptTos, QStringList { "c@example.jp" });
    EXPECT_EQ(received[2].rcptTos, QStringList { "d@example.jp" });
    // What the receiver gets: the message as the sender wrote it.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(received[i].data, QByteArray(messages[i]).replace("\n", "\r\n")) << i;
}

TEST_F(SmtpSinkSession, ARejectedRecipientKeepsThatFileAndEveryLaterOneAndResetsTheTrigger)
{
    start(QStringLiteral("refused"));
    m_state.checkTrigger = TriggerManual;
    const QByteArray text = "Subject: x\r\n\r\nx\r\n";
    put(Box::OutBox, "20261206090000001.ID", "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n" + text);
    put(Box::OutBox, "20261206090000002.ID",
        "VeskFrom: <t@example.jp>\r\nVeskTo: <b@example.jp>\r\nVeskTo: <refused@example.jp>\r\n" + text);
    put(Box::OutBox, "20261206090000003.ID", "VeskFrom: <t@example.jp>\r\nVeskTo: <c@example.jp>\r\n" + text);

    EXPECT_FALSE(session().mailSend());
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_EQ(m_state.checkTrigger, TriggerPeriodic);
    EXPECT_EQ(m_host.connErrors, 1);
    EXPECT_EQ(listing(Box::OutBox), (QStringList { "20261206090000002.ID", "20261206090000003.ID" }));
    const auto received = m_sink.received();
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0].rcptTos, QStringList { "a@example.jp" });
}

} // namespace
} // namespace vesk::test
