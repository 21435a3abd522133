#include "JudgeFixture.h"

#include "session/KeptIds.h"
#include "support/DovecotPeer.h"
#include "support/ProviderFixture.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QRegularExpression>

#include <optional>

namespace vesk::test {
namespace {

using Steps = std::vector<std::pair<QByteArray, Lines>>;

const QByteArray kText = "Subject: x\r\n\r\nbody\r\n";

// LIST n, RETR n and the text; `after` follows the stored message.
Steps fetch(int n, const Lines &after)
{
    const QByteArray number = QByteArray::number(n), size = QByteArray::number(kText.size());
    return { { "+OK " + number + ' ' + size, { "RETR " + number } }, { "+OK", {} }, { kText + ".", after } };
}

Steps operator+(Steps a, const Steps &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Case
{
    const char *name;
    bool leave = true;
    int days = 0;
    bool withMailer = false;
    // The account's id list and the journal as an earlier run left them.
    QByteArray kept;
    QByteArray journal;
    QStringList inBox; // files present
    Steps steps; // after STAT
    QList<QByteArray> keptAfter; // ids in the list afterwards
    std::optional<Messenger::Answer> answer = std::nullopt;
    int stored = 0;
    QString marker;
    int told = 0; // messages and questions for the user
};

// Stored 2026-11-30; the check runs 2026-12-06 08:00 local time.
const QByteArray kOld = "2026-11-30T00:00:00Z";
const QString kFile = QStringLiteral("20261201090000000.ID");

class LeaveDialogue : public JudgeFixture, public ::testing::WithParamInterface<Case>
{
};

TEST_P(LeaveDialogue, DownloadsNewIdsAndDeletesOnlyWhatIsDue)
{
    const Case &c = GetParam();
    m_config.LeaveOnServer = c.leave;
    m_config.LeaveDays = c.days;
    m_config.DeleteWithMailer = c.withMailer;
    m_messenger.answer = c.answer;
    const QString list = m_store.root() + '/' + KeptIds::fileNameFor(m_config.Host, m_config.UserID);
    if (!c.kept.isEmpty())
        ASSERT_TRUE(writeFile(list, c.kept));
    if (!c.journal.isEmpty()) {
        const QByteArray account = KeptIds::fileNameFor(m_config.Host, m_config.UserID).mid(5, 16).toLatin1();
        ASSERT_TRUE(writeFile(
            m_store.root() + "/.download-journal", QByteArray(c.journal).replace("JOURNAL", account)));
    }
    for (const QString &name : c.inBox)
        put(Box::InBox, name);

    login();
    talk(c.steps);
    m_judge.downloadEnded();

    EXPECT_EQ(KeptIds::load(list).keys(), c.keptAfter);
    EXPECT_EQ(int(listing(Box::InBox).size()) - int(c.inBox.size()), c.stored);
    EXPECT_EQ(m_state.marker, c.marker);
    EXPECT_EQ(m_messenger.messages.size() + m_messenger.questions.size(), c.told);
}

const Lines kQuit = { "QUIT" };
const QByteArray kAline = kOld + " " + kFile.toLatin1() + " a\n";

INSTANTIATE_TEST_SUITE_P(Cases, LeaveDialogue,
    ::testing::Values(Case { .name = "NewIdsOnlyAreFetchedAndKept",
                          .kept = kAline,
                          .steps = Steps { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} },
                                       { "2 b", {} }, { ".", { "LIST 2" } } }
                              + fetch(2, kQuit) + Steps { { "+OK", {} } },
                          .keptAfter = { "a", "b" },
                          .stored = 1 },
        Case { .name = "AFailedCheckRecordsWhatItStored",
            .steps = Steps { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { "2 b", {} },
                         { ".", { "LIST 2" } } }
                + fetch(2, { "LIST 1" }) + Steps { { "-ERR", { "QUIT" } } },
            .keptAfter = { "b" },
            .stored = 1,
            .marker = "x" },
        Case { .name = "IdsTheProviderNoLongerListsAreForgotten",
            .kept = kAline + kOld + " - gone\n",
            .steps
            = { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { ".", kQuit }, { "+OK", {} } },
            .keptAfter = { "a" } },
        Case { .name = "DueAfterLeaveDays",
            .days = 5,
            .kept = kAline + "2026-12-02T00:00:00Z - b\n",
            .steps = { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { "2 b", {} },
                { ".", { "DELE 1" } }, { "+OK", kQuit }, { "+OK", {} } },
            .keptAfter = { "b" } },
        Case { .name = "DeletedByTheMailer",
            .withMailer = true,
            .kept = kAline + kOld + " 20261201090000001.ID b\n",
            .inBox = { QStringLiteral("20261201090000001.ID") },
            .steps = { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { "2 b", {} },
                { ".", { "DELE 1" } }, { "+OK", kQuit }, { "+OK", {} } },
            .keptAfter = { "b" } },
        Case { .name = "TurnedOffDeletesWhatIsHeldAndTheNewAfterStoring",
            .leave = false,
            .kept = kAline,
            .steps = Steps { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { "2 b", {} },
                         { ".", { "LIST 2" } } }
                + fetch(2, { "DELE 2" }) + Steps { { "+OK", { "DELE 1" } }, { "+OK", kQuit }, { "+OK", {} } },
            .stored = 1 },
        Case { .name = "TurnedOffWithAFailedQuitKeepsTheIds",
            .leave = false,
            .kept = kAline,
            .steps = { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { ".", { "DELE 1" } },
                { "-ERR", { "RSET", "QUIT" } } },
            .keptAfter = { "a" },
            .marker = "x" },
        // A kill between the journal line and the save, after the save, and
        // after the stored line (the mailer took the file since).
        Case { .name = "KilledBeforeTheSaveFetchesAgain",
            .journal = "uidl JOURNAL + " + kOld + " " + kFile.toLatin1() + " a\n",
            .steps
            = Steps { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { ".", { "LIST 1" } } }
                + fetch(1, kQuit) + Steps { { "+OK", {} } },
            .keptAfter = { "a" },
            .stored = 1 },
        Case { .name = "KilledAfterTheSaveFetchesNothing",
            .journal = "uidl JOURNAL + " + kOld + " " + kFile.toLatin1() + " a\n",
            .inBox = { kFile },
            .steps
            = { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { ".", kQuit }, { "+OK", {} } },
            .keptAfter = { "a" } },
        Case { .name = "KilledAfterTheStoredLineFetchesNothing",
            .journal = "uidl JOURNAL + " + kOld + " " + kFile.toLatin1() + " a\nuidl JOURNAL = " + kOld + " "
                + kFile.toLatin1() + " a\n",
            .steps
            = { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { ".", kQuit }, { "+OK", {} } },
            .keptAfter = { "a" } },
        Case { .name = "RebuiltIdsLeftAloneDownloadNothing",
            .kept = kAline + kOld + " - b\n",
            .steps
            = { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 c", {} }, { "2 d", {} }, { ".", kQuit } },
            .keptAfter = { "a", "b" },
            .marker = "x",
            .told = 1 },
        Case { .name = "RebuiltIdsAcceptedDownloadAgain",
            .kept = kAline + kOld + " - b\n",
            .steps = Steps { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 c", {} }, { "2 d", {} },
                         { ".", { "LIST 2" } } }
                + fetch(2, { "LIST 1" }) + fetch(1, kQuit) + Steps { { "+OK", {} } },
            .keptAfter = { "c", "d" },
            .answer = Messenger::Answer::Yes,
            .stored = 2,
            .told = 1 },
        // Mail deleted elsewhere, one new: no question.
        Case { .name = "FewerNewIdsAreNoRebuild",
            .kept = kAline + kOld + " - b\n",
            .steps
            = Steps { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "1 c", {} }, { ".", { "LIST 1" } } }
                + fetch(1, kQuit) + Steps { { "+OK", {} } },
            .keptAfter = { "c" },
            .stored = 1 },
        // Replies that are no listing end the session without QUIT.
        Case { .name = "AnIdOf71Characters",
            .steps = { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "1 " + QByteArray(71, 'x'), {} } },
            .marker = "x" },
        Case { .name = "ANumberPastStat",
            .steps = { { "+OK 1 100", { "UIDL" } }, { "+OK", {} }, { "2 a", {} } },
            .marker = "x" },
        Case { .name = "AnIdTwice",
            .steps = { { "+OK 2 100", { "UIDL" } }, { "+OK", {} }, { "1 a", {} }, { "2 a", {} } },
            .marker = "x" }),
    [](const auto &info) { return std::string(info.param.name); });

using LeaveMode = JudgeFixture;

TEST_F(LeaveMode, AProviderWithoutUidlIsToldOnceAndCountsNothing)
{
    m_config.LeaveOnServer = true;
    for (int i = 0; i < 2; ++i) {
        login();
        talk({ { "+OK 2 100", { "UIDL" } }, { "-ERR", { "QUIT" } } });
    }
    EXPECT_EQ(m_messenger.messages.size(), 1);
    EXPECT_EQ(m_monitorLines.filter(QStringLiteral("UIDL に対応していない")).size(), 2);
    EXPECT_EQ(m_judge.mailTotal(), 0);
}

// Against a private Dovecot as the provider that keeps the mail.
class LeaveAtDovecot : public ProviderFixture
{
protected:
    void SetUp() override
    {
        ProviderFixture::SetUp();
        QString error;
        ASSERT_TRUE(m_dovecot.start(&error)) << error.toStdString();
        m_config.POP3_ServerVesk = m_dovecot.port();
        m_config.UserID = m_dovecot.user();
        m_config.Password = m_dovecot.password();
        m_config.LeaveOnServer = true;
    }
    void arrive(int count)
    {
        for (int i = 0; i < count; ++i, ++m_sent) {
            ASSERT_TRUE(
                m_dovecot.addMessage(QStringLiteral("From: a@example.jp\nSubject: message %1\n\nbody %1\n")
                                         .arg(m_sent + 1)
                                         .toUtf8()));
        }
    }
    // How often each message is in the in-box, by its number.
    QMap<int, int> stored() const
    {
        QMap<int, int> seen;
        for (const QByteArray &text : contents(Box::InBox))
            ++seen[QRegularExpression("Subject: message (\\d+)")
                       .match(QString::fromLatin1(text))
                       .captured(1)
                       .toInt()];
        return seen;
    }
    void atDay(int day, int minutes = 0)
    {
        m_clock.set(QDateTime(QDate(2026, 12, 6).addDays(day), QTime(8, 0)).addSecs(minutes * 60));
    }

    DovecotPeer m_dovecot;
    int m_sent = 0;
};

TEST_F(LeaveAtDovecot, ChecksAndRestartsStoreEachMessageOnceWhileTheProviderKeepsAll)
{
    struct Round
    {
        int arriving;
        bool restart; // a new session, as after a restart of the program
        bool serverOn; // off: only counting
        int newMail;
        int inBox;
    };
    const std::vector<Round> rounds
        = { { 2, false, true, 2, 2 }, { 1, false, true, 1, 3 }, { 2, false, false, 2, 3 },
              { 0, false, true, 2, 5 }, { 0, true, true, 0, 5 }, { 1, true, true, 1, 6 } };
    for (const Round &round : rounds) {
        arrive(round.arriving);
        if (round.restart)
            m_session.reset();
        m_config.ServerON = round.serverOn;
        EXPECT_EQ(session().downLoad(), round.newMail) << m_monitorLines.join('\n').toStdString();
        EXPECT_EQ(m_state.marker, "");
        EXPECT_EQ(listing(Box::InBox).size(), round.inBox);
        EXPECT_EQ(m_dovecot.messageCount(), m_sent);
    }
    const QMap<int, int> seen = stored();
    EXPECT_EQ(seen.keys().size(), m_sent);
    EXPECT_EQ(seen.keys().count(), std::count(seen.begin(), seen.end(), 1));
    EXPECT_EQ(KeptIds::count(m_store.root(), m_config.Host, m_config.UserID), m_sent);
}

TEST_F(LeaveAtDovecot, LeaveDaysDeletesExactlyTheDueOnes)
{
    m_config.LeaveDays = 3;
    struct Round
    {
        int day, minutes, arriving;
        int atProvider; // after the check
    };
    // Two stored on day 0, one on day 2; each goes at its third day, not a minute before.
    const std::vector<Round> rounds = { { 0, 0, 2, 2 }, { 2, 0, 1, 3 }, { 3, -1, 0, 3 }, { 3, 0, 0, 1 },
        { 5, -1, 0, 1 }, { 5, 0, 0, 0 } };
    for (const Round &round : rounds) {
        atDay(round.day, round.minutes);
        arrive(round.arriving);
        session().downLoad();
        EXPECT_EQ(m_state.marker, "");
        EXPECT_EQ(m_dovecot.messageCount(), round.atProvider) << "day " << round.day << " " << round.minutes;
    }
    // The local copies stay; the list forgets what the provider deleted.
    EXPECT_EQ(listing(Box::InBox).size(), 3);
    EXPECT_EQ(KeptIds::count(m_store.root(), m_config.Host, m_config.UserID), 0);
}

} // namespace
} // namespace vesk::test
