#include "JudgeFixture.h"

#include "mail/TMD5.h"

namespace vesk::test {
namespace {

using Pop3Dialogue = JudgeFixture;

// LIST n, then RETR n answered with the text in one block.
std::vector<std::pair<QByteArray, Lines>> fetch(int n, const QByteArray &text, const Lines &after)
{
    const QByteArray number = QByteArray::number(n), size = QByteArray::number(text.size());
    return { { "+OK " + number + ' ' + size, { "RETR " + number } }, { "+OK " + size + " octets", {} },
        { text + ".", after } };
}

TEST_F(Pop3Dialogue, QuitsAfterStatWithNothingToFetchInCheckOnlyModeOrForTheConnectionTest)
{
    login();
    talk({ { "+OK 0 0", { "QUIT" } }, { "+OK bye", {} } });
    EXPECT_EQ(m_state.marker, "");
    EXPECT_EQ(m_link.clientOffs, 1);
    EXPECT_EQ(m_host.modes, QList<int> { 0 });
    m_config.ServerON = false;
    login();
    talk({ { "+OK 5 1000", { "QUIT" } }, { "+OK", {} } });
    EXPECT_EQ(m_judge.mailTotal(), 5);
    m_config.ServerON = true;
    m_host.connectionTest = true;
    login();
    talk({ { "+OK 4 1000", { "QUIT" } } });
    EXPECT_EQ(m_host.modes, QList<int> { 0 });
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
}

TEST_F(Pop3Dialogue, FetchesFromTheHighestNumberDownAndDeletesEachAfterStoringIt)
{
    login();
    talk({ { "+OK 2 1000", { "LIST 2" } } });
    talk(fetch(2, "Subject: two\r\n\r\nb\r\n", { "DELE 2" }));
    EXPECT_EQ(listing(Box::InBox).size(), 1);
    talk({ { "+OK deleted", { "LIST 1" } } });
    talk(fetch(1, "Subject: one\r\n\r\na\r\n", { "DELE 1" }));
    talk({ { "+OK deleted", { "QUIT" } }, { "+OK bye", {} } });
    EXPECT_EQ(m_state.marker, "");
    EXPECT_EQ(m_judge.mailTotal(), 2);
    EXPECT_EQ(contents(Box::InBox), (Lines { "Subject: two\r\n\r\nb\r\n", "Subject: one\r\n\r\na\r\n" }));
    // The fixed pauses: before each RETR and after each save.
    EXPECT_EQ(m_pump.waitedMs, 400);
}

TEST_F(Pop3Dialogue, MessagesEmptyOrOverTheLimitAreLeftAtTheProvider)
{
    m_config.MaxMessageBytes = 100;
    login();
    talk({ { "+OK 3 1000", { "LIST 3" } }, { "+OK 3 0", { "STAT" } }, { "+OK 3 1000", { "LIST 2" } },
        { "+OK 2 5000", { "STAT" } }, { "+OK 3 5100", { "LIST 1" } },
        // Announced small but growing past the limit: given up without DELE.
        { "+OK 1 50", { "RETR 1" } }, { "+OK", {} }, { QByteArray(60, 'a'), {} },
        { QByteArray(60, 'b'), { "QUIT" } } });
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
}

TEST_F(Pop3Dialogue, ApopSendsTheDigestOfTheGreetingStampAndFailsWithoutOne)
{
    m_config.Apop = true;
    m_judge.beginDownload();
    const QByteArray stamp = "<1896.697170952@dbc.mtview.ca.us>";
    talk(
        { { "+OK Dovecot ready. " + stamp + " more", { "APOP taro " + TMD5::apopDigest(stamp, "secret99") } },
            { "+OK logged in", { "STAT" } } });
    m_state.marker = QStringLiteral(".");
    m_judge.beginDownload();
    talk({ { "+OK ready <no end", { "QUIT" } } });
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_TRUE(m_monitorLines.contains("VeskTalk< Failed ! >"));
}

TEST_F(Pop3Dialogue, TextArrivingInSeveralBlocksIsStoredInTransferForm)
{
    login();
    talk({ { "+OK 1 60", { "LIST 1" } }, { "+OK 1 60", { "RETR 1" } }, { "+OK 60 octets", {} },
        { "Subject: dots\r\n", {} }, { "..leading dot\r\nsplit ", {} }, { "line\r\n", {} }, { "", {} },
        { ".", { "DELE 1" } } });
    // Each block was followed by CR LF on the wire.
    EXPECT_EQ(content(Box::InBox), "Subject: dots\r\n\r\n..leading dot\r\nsplit \r\nline\r\n\r\n\r\n");
}

TEST_F(Pop3Dialogue, AnyUnexpectedReplyQuitsAndNothingIsJudgedAfterIt)
{
    const Lines replies { "+OK ready", "+OK", "+OK", "+OK 1 10" };
    for (int step = 0; step < 4; ++step) {
        m_state.marker = QStringLiteral(".");
        m_judge.beginDownload();
        for (int i = 0; i < step; ++i)
            m_judge.judge(replies[i]);
        m_link.take();
        talk({ { "-ERR [AUTH] no", { "QUIT" } }, { "+OK bye", {} } });
        EXPECT_EQ(m_state.marker, "x") << step;
        EXPECT_EQ(m_link.clientOffs, step + 1);
    }
    EXPECT_TRUE(m_monitorLines.contains("VeskTalk< Failed ! >"));
}

TEST_F(Pop3Dialogue, ASaveThatFailsSendsNoDele)
{
    login();
    blockFolder(Box::InBox);
    talk({ { "+OK 2 1000", { "LIST 2" } } });
    talk(fetch(2, "Subject: two\r\n\r\nb\r\n", { "QUIT" }));
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_EQ(m_judge.storedCount(), 0);
    EXPECT_EQ(m_pump.waitedMs, 100); // the pause before RETR; none after a save that failed
    EXPECT_TRUE(m_messenger.messages.value(0).startsWith("受信したメールを保存できません。"));
}

TEST_F(Pop3Dialogue, AnAbandonedSessionNeitherStoresNorDeletesNorAsksForMore)
{
    login();
    talk({ { "+OK 2 40", { "LIST 2" } } });
    m_pump.eachRound = [this] { m_judge.abandon(); }; // during the pause before RETR
    talk({ { "+OK 2 20", {} } });
    m_pump.eachRound = {};
    EXPECT_FALSE(m_link.lines.contains("RETR 2"));
    login();
    talk({ { "+OK 1 20", { "LIST 1" } }, { "+OK 1 20", { "RETR 1" } }, { "+OK", {} },
        { "Subject: late", {} } });
    m_judge.abandon(); // the watchdog gave up while the text came in
    m_judge.judge("body\r\n.");
    EXPECT_FALSE(m_link.lines.contains("DELE 1"));
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
}

TEST_F(Pop3Dialogue, StoredMessagesGoToTheBoxListTheDistributionNames)
{
    m_config.DevideON = true;
    m_host.boxOpen = true;
    login();
    talk({ { "+OK 1 20", { "LIST 1" } } });
    talk(fetch(1, "Subject: x\r\n\r\ny\r\n", { "DELE 1" }));
    ASSERT_EQ(m_host.devided.size(), 1);
    EXPECT_EQ(m_host.added, QStringList { "InBox1/" + m_host.devided.first() });
    EXPECT_EQ(m_host.captions, QStringList { "送受信箱 Down 1/1" });
}

// A download that died before its QUIT left its messages at the provider:
// served again, they are deleted there but not stored a second time. Each
// copy stored excuses one copy only: an identical message delivered twice is
// still stored.
TEST_F(Pop3Dialogue, MessagesOfAnInterruptedDownloadAreNotStoredTwice)
{
    const QByteArray two = "Subject: two\r\n\r\nb\r\n";
    login();
    talk({ { "+OK 2 40", { "LIST 2" } } });
    talk(fetch(2, two, { "DELE 2" }));
    // The program dies here: no QUIT, so the provider keeps message 2.
    ClientJudge again { m_context, m_link };
    m_link.onClientOff = [&] { again.setClientState(ClientIdle); };
    m_state.marker = QStringLiteral(".");
    again.beginDownload();
    for (const QByteArray line : { "+OK ready", "+OK user", "+OK pass", "+OK 2 40", "+OK 2 21",
             "+OK 21 octets", "Subject: two\r\n\r\nb\r\n.", "+OK deleted", "+OK 1 21", "+OK 21 octets",
             "Subject: two\r\n\r\nb\r\n.", "+OK deleted", "+OK bye" })
        again.judge(line);
    EXPECT_EQ(m_link.take(),
        (Lines { "USER taro", "PASS secret99", "STAT", "LIST 2", "RETR 2", "DELE 2", "LIST 1", "RETR 1",
            "DELE 1", "QUIT" }));
    EXPECT_EQ(contents(Box::InBox), (Lines { two, two }));
    EXPECT_TRUE(m_monitorLines.contains("VeskTalk< 受信済みのメールです >"));
    // Once the provider answered QUIT nothing is remembered any more.
    EXPECT_FALSE(QFile::exists(m_dir.path() + "/.download-journal"));
}

} // namespace
} // namespace vesk::test
