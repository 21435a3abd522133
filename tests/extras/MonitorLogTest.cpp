#include "extras/monitor/MonitorLog.h"
#include "support/FakeClock.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(MonitorLogTest, EachLineBreakStartsALine)
{
    const struct
    {
        QString entry;
        QStringList lines;
    } cases[] = {
        { "+OK ready", { "+OK ready" } },
        { "+OK 2 messages\r\n1 120\r\n2 300\r\n.", { "+OK 2 messages", "1 120", "2 300", "." } },
        { "a\rb\nc\n\rd", { "a", "b", "c", "", "d" } },
        { "", { "" } },
    };
    for (const auto &c : cases) {
        MonitorLog log;
        const MonitorLog::Change change = log.append(c.entry);
        EXPECT_EQ(log.lines(), c.lines) << c.entry.toStdString();
        EXPECT_EQ(change.added, c.lines);
        EXPECT_EQ(change.dropped, 0);
    }
}

TEST(MonitorLogTest, KeepsOnlyTheNewestLines)
{
    MonitorLog log;
    for (int i = 0; i < MonitorLog::MaxLines; ++i)
        log.append(QString::number(i));
    MonitorLog::Change change = log.append("new\r\nnewer");
    // A quarter goes at once, so that the next lines move nothing.
    EXPECT_EQ(change.dropped, MonitorLog::MaxLines / 4 + 2);
    EXPECT_EQ(log.lines().size(), MonitorLog::MaxLines * 3 / 4);
    EXPECT_EQ(log.lines().first(), QString::number(MonitorLog::MaxLines / 4 + 2));
    EXPECT_EQ(log.lines().last(), "newer");
    EXPECT_EQ(log.append("more").dropped, 0);

    // An entry bigger than the whole log keeps its own end.
    QStringList many;
    for (int i = 0; i < MonitorLog::MaxLines + 3; ++i)
        many << QString::number(i);
    const qsizetype before = log.lines().size();
    change = log.append(many.join("\n"));
    EXPECT_EQ(change.dropped, before);
    EXPECT_EQ(change.added, log.lines());
    EXPECT_EQ(log.lines().size(), MonitorLog::MaxLines * 3 / 4);
    EXPECT_EQ(log.lines().last(), QString::number(MonitorLog::MaxLines + 2));

    // Long lines are bounded by their characters.
    for (int i = 0; i < 3000; ++i)
        log.append(QString(1000, u'y'));
    qsizetype chars = 0;
    for (const QString &line : log.lines())
        chars += line.size();
    EXPECT_LE(chars, MonitorLog::MaxChars);

    // So does memory: a huge received block is cut, and pushes out the rest.
    log.append(QString(MonitorLog::MaxChars + 10, u'x'));
    EXPECT_EQ(log.lines().size(), 1);
    EXPECT_EQ(log.lines().first().size(), MonitorLog::MaxChars);
    log.append("next");
    EXPECT_EQ(log.lines(), QStringList { "next" });
}

TEST(MonitorLogTest, SavesLinesWithCrLfUnderATimeStampName)
{
    QTemporaryDir dir;
    FakeClock clock(QDateTime(QDate(2005, 1, 2), QTime(3, 4, 5)));
    MonitorLog log;
    log.append("USER taro");
    log.append("+OK\r\n日本語");

    const MonitorLog::SaveResult saved = log.save(dir.path(), clock);
    ASSERT_TRUE(saved.ok()) << saved.error.toStdString();
    EXPECT_EQ(saved.fileName, "050102030405.LOG");
    const QByteArray content = "USER taro\r\n+OK\r\n" + QString("日本語").toUtf8() + "\r\n";
    EXPECT_EQ(fileBytes(dir.filePath(saved.fileName)), content);

    // A second save within the same second never replaces the first.
    log.clear();
    const MonitorLog::SaveResult again = log.save(dir.path(), clock);
    EXPECT_EQ(again.fileName, "050102030406.LOG");
    EXPECT_EQ(fileBytes(dir.filePath(again.fileName)), "");
    EXPECT_EQ(fileBytes(dir.filePath(saved.fileName)), content);

    const MonitorLog::SaveResult nowhere = log.save(dir.filePath("missing"), clock);
    EXPECT_FALSE(nowhere.ok());
    EXPECT_TRUE(nowhere.fileName.isEmpty());
    EXPECT_TRUE(nowhere.error.contains(dir.filePath("missing")));
}

} // namespace
} // namespace vesk::test
