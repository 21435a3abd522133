#include "JudgeFixture.h"

#include "mail/TMD5.h"

namespace vesk::test {

using Lines = QList<QByteArray>;

class Pop3Dialogue : public JudgeFixture
{
protected:
    // LIST n, RETR n with the text in one block, then the DELE that follows.
    void fetch(int n, const QByteArray &text)
    {
        EXPECT_EQ(sent(), Lines { "LIST " + QByteArray::number(n) });
        reply("+OK " + QByteArray::number(n) + ' ' + QByteArray::number(text.size()));
        EXPECT_EQ(sent(), Lines { "RETR " + QByteArray::number(n) });
        reply("+OK " + QByteArray::number(text.size()) + " octets");
        ASSERT_TRUE(m_judge.dataMode());
        reply(text + ".");
    }
};

TEST_F(Pop3Dialogue, StatZeroGoesStraightToQuit)
{
    loginWith(0);
    EXPECT_EQ(sent(), Lines { "QUIT" });
    reply("+OK bye");
    EXPECT_EQ(m_state.marker, QString());
    EXPECT_EQ(m_judge.mailTotal(), 0);
    EXPECT_EQ(m_link.clientOffs, 1);
    EXPECT_EQ(m_host.modes, QList<int> { 0 });
}

TEST_F(Pop3Dialogue, FetchesFromTheHighestNumberDownAndDeletesEachAfterStoringIt)
{
    loginWith(3);
    fetch(3, "Subject: three\r\n\r\nc\r\n");
    EXPECT_EQ(inBox().size(), 1);
    EXPECT_EQ(sent(), Lines { "DELE 3" });
    reply("+OK deleted");
    fetch(2, "Subject: two\r\n\r\nb\r\n");
    EXPECT_EQ(sent(), Lines { "DELE 2" });
    reply("+OK deleted");
    fetch(1, "Subject: one\r\n\r\na\r\n");
    EXPECT_EQ(sent(), Lines { "DELE 1" });
    reply("+OK deleted");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    reply("+OK bye");

    EXPECT_EQ(m_state.marker, QString());
    EXPECT_EQ(m_judge.mailTotal(), 3);
    ASSERT_EQ(inBox().size(), 3);
    EXPECT_EQ(inFile(0), "Subject: three\r\n\r\nc\r\n");
    EXPECT_EQ(inFile(1), "Subject: two\r\n\r\nb\r\n");
    EXPECT_EQ(inFile(2), "Subject: one\r\n\r\na\r\n");
    // The fixed pauses: before each RETR and after each save.
    EXPECT_EQ(m_pump.waitedMs, 600);
}

TEST_F(Pop3Dialogue, ASizeZeroMessageIsLeftAndNotCounted)
{
    loginWith(2);
    EXPECT_EQ(sent(), Lines { "LIST 2" });
    reply("+OK 2 0");
    EXPECT_EQ(sent(), Lines { "STAT" });
    reply("+OK 2 100");
    fetch(1, "Subject: one\r\n\r\na\r\n");
    EXPECT_EQ(sent(), Lines { "DELE 1" });
    reply("+OK");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    reply("+OK");
    EXPECT_EQ(m_judge.mailTotal(), 1);
    EXPECT_EQ(inBox().size(), 1);
}

TEST_F(Pop3Dialogue, ApopSendsTheDigestOfTheGreetingStamp)
{
    m_config.Apop = true;
    startDownload();
    reply("+OK Dovecot ready. <1896.697170952@dbc.mtview.ca.us> more");
    EXPECT_EQ(
        sent(), Lines { "APOP taro " + TMD5::apopDigest("<1896.697170952@dbc.mtview.ca.us>", "secret99") });
    reply("+OK logged in");
    EXPECT_EQ(sent(), Lines { "STAT" });
}

TEST_F(Pop3Dialogue, ApopWithoutAStampInTheGreetingFails)
{
    m_config.Apop = true;
    startDownload();
    reply("+OK ready <no end");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_TRUE(m_monitorLines.contains(QStringLiteral("VeskTalk< Failed ! >")));
}

TEST_F(Pop3Dialogue, CheckOnlyModeCountsAndQuits)
{
    m_config.ServerON = false;
    loginWith(5);
    EXPECT_EQ(sent(), Lines { "QUIT" });
    reply("+OK");
    EXPECT_EQ(m_judge.mailTotal(), 5);
    EXPECT_TRUE(inBox().isEmpty());
    EXPECT_TRUE(m_host.modes.isEmpty());
}

TEST_F(Pop3Dialogue, ConnectionTestStopsAfterStat)
{
    m_host.connectionTest = true;
    loginWith(4);
    EXPECT_EQ(sent(), Lines { "QUIT" });
}

TEST_F(Pop3Dialogue, TextArrivingInSeveralBlocksIsStoredInTransferForm)
{
    loginWith(1);
    sent();
    reply("+OK 1 60");
    sent();
    reply("+OK 60 octets");
    reply("Subject: dots\r\n");
    reply("..leading dot\r\nsplit ");
    reply("line\r\n");
    reply("");
    reply(".");
    EXPECT_EQ(sent(), Lines { "DELE 1" });
    // Each block was followed by CR LF on the wire.
    EXPECT_EQ(inFile(0), "Subject: dots\r\n\r\n..leading dot\r\nsplit \r\nline\r\n\r\n\r\n");
}

TEST_F(Pop3Dialogue, ErrToPassQuitsAndFails)
{
    startDownload();
    reply("+OK ready");
    reply("+OK user");
    reply("-ERR [AUTH] Authentication failed.");
    EXPECT_EQ(sent(), (Lines { "USER taro", "PASS secret99", "QUIT" }));
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(m_link.clientOffs, 1);
    EXPECT_TRUE(m_monitorLines.contains(QStringLiteral("VeskTalk< Failed ! >")));
    // The password never reaches the monitor.
    EXPECT_TRUE(m_monitorLines.contains(QStringLiteral("<PASS ********")));
    EXPECT_FALSE(m_monitorLines.join('\n').contains(QStringLiteral("secret99")));
    // Nothing is judged after the failure, not even the reply to QUIT.
    reply("+OK bye");
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(Pop3Dialogue, ASaveThatFailsSendsNoDele)
{
    loginWith(2);
    // The in-box folder is gone and a file stands in its place.
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox)).removeRecursively());
    QFile blocker(m_dir.path() + QStringLiteral("/InBox"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    fetch(2, "Subject: two\r\n\r\nb\r\n");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(m_judge.storedCount(), 0);
    EXPECT_EQ(m_messenger.messages.size(), 1);
    EXPECT_TRUE(m_messenger.messages.value(0).startsWith(QStringLiteral("受信したメールを保存できません。")));
}

TEST_F(Pop3Dialogue, AMessageOverTheLimitIsLeftAtTheProvider)
{
    m_config.MaxMessageBytes = 100;
    loginWith(2);
    // Announced too large: skipped like an empty one.
    EXPECT_EQ(sent(), Lines { "LIST 2" });
    reply("+OK 2 5000");
    EXPECT_EQ(sent(), Lines { "STAT" });
    reply("+OK 2 5100");
    // Announced small but growing past the limit: given up without DELE.
    EXPECT_EQ(sent(), Lines { "LIST 1" });
    reply("+OK 1 50");
    EXPECT_EQ(sent(), Lines { "RETR 1" });
    reply("+OK");
    reply(QByteArray(60, 'a'));
    reply(QByteArray(60, 'b'));
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_TRUE(inBox().isEmpty());
}

TEST_F(Pop3Dialogue, TextCompletedAfterTheWatchdogIsNeitherStoredNorDeleted)
{
    loginWith(1);
    sent();
    reply("+OK 1 20");
    sent();
    reply("+OK");
    reply("Subject: late");
    m_judge.abandon();
    m_state.marker = QStringLiteral("x");
    reply("body\r\n.");
    for (const QByteArray &line : sent())
        EXPECT_FALSE(line.startsWith("DELE")) << line.constData();
    EXPECT_TRUE(inBox().isEmpty());
}

TEST_F(Pop3Dialogue, ASessionEndedDuringThePauseBeforeRetrSendsNothing)
{
    loginWith(1);
    sent();
    m_pump.eachRound = [this] { m_judge.abandon(); };
    reply("+OK 1 20");
    EXPECT_TRUE(sent().isEmpty());
}

TEST_F(Pop3Dialogue, StoredMessagesGoToTheBoxListTheDistributionNames)
{
    m_config.DevideON = true;
    m_host.boxOpen = true;
    loginWith(1);
    fetch(1, "Subject: x\r\n\r\ny\r\n");
    ASSERT_EQ(m_host.devided.size(), 1);
    EXPECT_EQ(m_host.added, QStringList { QStringLiteral("InBox1/") + m_host.devided.first() });
    EXPECT_EQ(m_host.captions, QStringList { QStringLiteral("送受信箱 Down 1/1") });
}

TEST_F(Pop3Dialogue, AnyUnexpectedReplyTakesTheFailurePath)
{
    for (int step = 0; step < 4; ++step) {
        m_state.marker = QStringLiteral(".");
        startDownload();
        sent();
        const Lines replies { "+OK ready", "+OK", "+OK", "+OK 1 10" };
        for (int i = 0; i < step; ++i)
            reply(replies[i]);
        sent();
        reply("-ERR no");
        EXPECT_EQ(sent(), Lines { "QUIT" }) << step;
        EXPECT_EQ(m_state.marker, QStringLiteral("x")) << step;
    }
}

} // namespace vesk::test

namespace vesk::test {

// A download that died before its QUIT left its messages at the provider:
// served again, they are deleted there but not stored a second time. Each
// copy stored then excuses one copy only: an identical message that was
// delivered twice is still stored.
TEST_F(Pop3Dialogue, MessagesOfAnInterruptedDownloadAreNotStoredTwice)
{
    loginWith(2);
    fetch(2, "Subject: two\r\n\r\nb\r\n");
    EXPECT_EQ(sent(), Lines { "DELE 2" });
    // The program dies here: no QUIT, so the provider keeps message 2.
    ASSERT_EQ(inBox().size(), 1);

    ClientJudge again { m_context, m_link };
    m_state.marker = QStringLiteral(".");
    again.beginDownload();
    for (const QByteArray line : { "+OK ready", "+OK user", "+OK pass", "+OK 2 40" })
        again.judge(line);
    sent();
    again.judge("+OK 2 21");
    again.judge("+OK 21 octets");
    again.judge("Subject: two\r\n\r\nb\r\n.");
    EXPECT_EQ(sent(), (Lines { "RETR 2", "DELE 2" }));
    again.judge("+OK deleted");
    again.judge("+OK 1 21");
    again.judge("+OK 21 octets");
    again.judge("Subject: two\r\n\r\nb\r\n.");
    EXPECT_EQ(sent(), (Lines { "LIST 1", "RETR 1", "DELE 1" }));
    again.judge("+OK deleted");
    again.judge("+OK bye");
    ASSERT_EQ(inBox().size(), 2);
    EXPECT_EQ(inFile(1), "Subject: two\r\n\r\nb\r\n");
    EXPECT_TRUE(m_monitorLines.contains("VeskTalk< 受信済みのメールです >"));
    // Once the provider answered QUIT nothing is remembered any more.
    EXPECT_FALSE(QFile::exists(m_dir.path() + "/.download-journal"));
}

} // namespace vesk::test
