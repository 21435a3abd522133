#include "session/KeptIds.h"

#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(KeptIds, ReadsOnlyWholeEntriesOfTheFile)
{
    struct Row
    {
        QByteArray line;
        QByteArray id; // empty: skipped
        QString fileName;
    };
    const QByteArray id70(70, '~');
    const std::vector<Row> rows = {
        { "2026-12-06T08:00:00Z 20261206080000000.ID AAA-1.x", "AAA-1.x", "20261206080000000.ID" },
        { "2026-12-06T08:00:00Z - AAA\r", "AAA", QString() },
        { "2026-12-06T08:00:00Z - " + id70, id70, QString() },
        { "2026-12-06T08:00:00Z - " + id70 + 'x', {} }, // 71 characters
        { "2026-12-06T08:00:00Z - a b", {} },
        { "2026-12-06T08:00:00Z -  a", {} },
        { "2026-12-06T08:00:00Z ../x a", {} },
        { "2026-12-06T08:00:00Z a/b a", {} },
        { "2026-13-06T08:00:00Z - a", {} },
        { "2026-12-06 08:00:00 - a", {} },
        { "2026-12-06T08:00:00+09:00 - a", {} },
        { "2026-12-06T08:00:00Z -", {} },
        { QByteArray("2026-12-06T08:00:00Z - a\0b", 26), {} },
        { "", {} },
        { QByteArray(300, 'x'), {} },
    };
    for (const Row &row : rows) {
        QByteArray id;
        KeptIds::Entry entry;
        const bool read = KeptIds::parseLine(row.line, &id, &entry);
        EXPECT_EQ(read, !row.id.isEmpty()) << row.line.constData();
        if (!read)
            continue;
        EXPECT_EQ(id, row.id);
        EXPECT_EQ(entry.fileName, row.fileName);
        EXPECT_EQ(entry.stored, QDateTime(QDate(2026, 12, 6), QTime(8, 0), Qt::UTC));
        EXPECT_EQ(KeptIds::lineOf(id, entry), QByteArray(row.line).replace("\r", ""));
    }
    // The first line of an id counts; garbage between entries is skipped.
    const KeptIds::Map map = KeptIds::parse("2026-12-06T08:00:00Z - a\njunk\n\n2026-12-07T08:00:00Z x.ID a\n"
                                            "2026-12-07T08:00:00Z - b");
    EXPECT_EQ(map.keys(), (QList<QByteArray> { "a", "b" }));
    EXPECT_EQ(map.value("a").fileName, QString());
}

TEST(KeptIds, OneFilePerAccountWrittenWholeAndRemovedWhenEmpty)
{
    EXPECT_NE(KeptIds::fileNameFor("pop.example.jp", "taro"), KeptIds::fileNameFor("pop.example.jp", "jiro"));
    EXPECT_NE(
        KeptIds::fileNameFor("pop.example.jp", "taro"), KeptIds::fileNameFor("pop.example.com", "taro"));
    QTemporaryDir dir;
    const QString path = dir.path() + '/' + KeptIds::fileNameFor("pop.example.jp", "taro");
    KeptIds::Map map;
    map.insert("b", { QDateTime(QDate(2026, 12, 6), QTime(8, 0), Qt::UTC), "1.ID" });
    map.insert("a", { QDateTime(QDate(2026, 12, 5), QTime(8, 0), Qt::UTC), QString() });
    QString error;
    ASSERT_TRUE(KeptIds::save(path, map, &error)) << error.toStdString();
    EXPECT_EQ(fileBytes(path), "2026-12-05T08:00:00Z - a\n2026-12-06T08:00:00Z 1.ID b\n");
    EXPECT_EQ(KeptIds::count(dir.path(), "pop.example.jp", "taro"), 2);
    ASSERT_TRUE(KeptIds::save(path, {}, &error));
    EXPECT_FALSE(QFile::exists(path));
    // Not a file of ours: nothing is read from it.
    ASSERT_TRUE(writeFile(path, QByteArray(KeptIds::MaxFileBytes + 1, '\n')));
    EXPECT_TRUE(KeptIds::load(path).isEmpty());
}

} // namespace
} // namespace vesk::test
