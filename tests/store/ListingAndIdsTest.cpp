#include "store/BoxUniqueIds.h"
#include "store/UniqueIdReader.h"
#include "support/CoreFixture.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QSet>

#include <gtest/gtest.h>

namespace vesk::test {

namespace {

using Listing = CoreFixture;

TEST_F(Listing, OnlyIdFilesInAnyCaseInPlainNameOrderWithTheirBytes)
{
    for (const char *name : { "20261205203310123.ID", "202612052033101210.id", "202612052033101.Id",
             "notes.txt", "1.IDX", "2.ID.bak" })
        put(Box::InBox, name, "abc\r\n");
    ASSERT_TRUE(QDir().mkdir(m_store.filePath(Box::InBox, "folder.ID")));
    put(Box::InBox, ".tmp-3.ID.part");
    // The counter is not padded: counter 10 comes before 2.
    EXPECT_EQ(listing(Box::InBox),
        QStringList({ "202612052033101.Id", "202612052033101210.id", "20261205203310123.ID" }));
    EXPECT_EQ(m_store.checkDir(Box::InBox).count, 3);
    EXPECT_EQ(m_store.checkDir(Box::InBox).totalSize, 15);
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox2)).removeRecursively());
    EXPECT_TRUE(listing(Box::InBox2).isEmpty());
}

// The out-box is sent from its first file on, read anew for each one.
TEST_F(Listing, SearchFileFindsTheFirstFileAtTheTimeOfTheCall)
{
    EXPECT_EQ(m_store.searchFile(Box::OutBox, "1").size, 0);
    put(Box::OutBox, "a1.ID", "1");
    put(Box::OutBox, "a2.ID", "22");
    EXPECT_EQ(m_store.searchFile(Box::OutBox, "1").fileName, "a1.ID");
    ASSERT_TRUE(m_store.remove(Box::OutBox, "a1.ID"));
    EXPECT_EQ(m_store.searchFile(Box::OutBox, "1").fileName, "a2.ID");
    EXPECT_EQ(m_store.searchFile(Box::OutBox, "1").size, 2);
}

TEST_F(Listing, NewNamesTakeTheStampAndTheLowestCounterFreeInTheGivenBoxesInAnyCase)
{
    m_clock.set(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5, 7)));
    const QString stamp = m_store.timeStampGet();
    EXPECT_EQ(stamp, "20270102030405007");
    const auto next
        = [&](std::initializer_list<Box> boxes) { return m_store.newFileName(stamp, boxes).mid(17); };
    EXPECT_EQ(next({ Box::InBox, Box::InBox1, Box::InBox2 }), "0.ID");
    put(Box::InBox, stamp + "0.ID");
    put(Box::InBox1, stamp + "1.id");
    put(Box::InBox2, stamp + "3.Id");
    EXPECT_EQ(next({ Box::InBox, Box::InBox1, Box::InBox2 }), "2.ID");
    EXPECT_EQ(next({ Box::OutBox }), "0.ID");
}

} // namespace

namespace {

using UniqueId = CoreFixture;

TEST_F(UniqueId, LastXUidlElseLastMessageIdElseTheFileName)
{
    const struct
    {
        QByteArray content;
        const char *name;
        const char *id;
    } rows[] = {
        { "Message-ID: <m1@example.jp>\r\nX-UIDL: abc123\r\nSubject: s\r\n\r\nbody\r\n", "1.ID", "abc123" },
        { "X-UIDL: first\r\nX-UIDL:   second  \r\n\r\n", "2.ID", "second" },
        { "x-uidl: lower\r\n\r\n", "3.ID", "lower" },
        { "MESSAGE-ID: <up@x>\r\n\r\n", "4.ID", "up@x" },
        { "Message-ID: <a@b> (comment)\r\n\r\n", "5.ID", "a@b" },
        { "Message-ID:   bare@host   \r\n\r\n", "6.ID", "bare@host" },
        // Only the first ":" ends the name; the first "<" and the first ">" cut.
        { "Message-ID: x<a:b<c>d>\r\n\r\n", "7.ID", "a:b<c" },
        { "Message-ID: <open-only@x\r\n\r\n", "8.ID", "open-only@x" },
        { "Message-ID: close-only@x>\r\n\r\n", "9.ID", "close-only@x" },
        { "Message-ID: <a@b>\r\nMessage-ID: <>\r\n\r\n", "2026120520331012.ID", "2026120520331012" },
        { "X-UIDL:   \r\nMessage-ID: <m@x>\r\n\r\n", "10.ID", "m@x" },
        { "VeskFrom: <me@x>\r\nVeskTo: <you@y>\r\nMessage-ID: <out@x>\r\n\r\n", "11.ID", "out@x" },
        { "Subject: none\r\n\r\n", "202612052033101230.id", "202612052033101230" },
        { "", "x.Id.ID", "x.ID" },
        // Only the header counts, however long the body; any line end ends a line.
        { "Subject: s\r\n \t \r\nX-UIDL: in-body\r\n", "12.ID", "12" },
        { "Subject: s\r\n\r\n" + QByteArray(3 << 20, 'b') + "\r\nX-UIDL: late\r\n", "13.ID", "13" },
        { "Subject: s\nX-UIDL: lf\n\nX-UIDL: body\n", "14.ID", "lf" },
        { "Subject: s\rX-UIDL: cr\r\rX-UIDL: body\r", "15.ID", "cr" },
        { "X-UIDL: no-end", "16.ID", "no-end" },
    };
    for (const auto &[content, name, id] : rows) {
        put(Box::InBox, name, content);
        EXPECT_EQ(m_store.searchUidl(Box::InBox, name), id) << name;
    }
    EXPECT_EQ(m_store.searchUidl(Box::InBox, "missing5.ID"), "missing5");
    // A name leaving the folder is not read.
    EXPECT_EQ(m_store.searchUidl(Box::InBox1, "../InBox/1.ID"), "../InBox/1");
}

QString uidlOfHeader(QByteArray header)
{
    QBuffer buffer(&header);
    buffer.open(QIODevice::ReadOnly);
    return UniqueIdReader::fromHeader(buffer);
}

TEST(UniqueIdReader, HeaderEndingAtTheReadLimitAndCrLfSplitAcrossReads)
{
    QByteArray header = "X-UIDL: kept\r\nSubject: ";
    header += QByteArray(UniqueIdReader::HeaderLimit - header.size() - 2, 's') + "\r\nX-UIDL: beyond\r\n\r\n";
    EXPECT_EQ(uidlOfHeader(header), "kept");
    // 16 KiB reads: the CR of a CR LF at the end of the first one.
    header = "Subject: " + QByteArray(16 * 1024 - 10, 's') + "\r\nX-UIDL: joined\r\n\r\n";
    ASSERT_EQ(header[16 * 1024 - 1], '\r');
    EXPECT_EQ(uidlOfHeader(header), "joined");
}

QByteArray digestOf(const QByteArray &name)
{
    return QCryptographicHash::hash(name, QCryptographicHash::Md5).toHex();
}

// Ids from headers and names as the store finds them; an empty expectation
// stands for the digest of that message's file name.
TEST(BoxUniqueIds, UsableAndUniqueTheFirstHolderKeepingItsOwn)
{
    const QStringList names = { "a.ID", "b.ID", "c.ID" };
    const QList<QList<QByteArray>> rows[] = {
        { { "m1@x", "list@x", "list@x" }, { "m1@x", "list@x", "" } }, // one Message-ID twice
        { { "x\r\n+OK evil", "a b", "\xe3\x81\x82" }, { "", "", "" } }, // CR LF, blank, 8-bit
        { { QByteArray(70, 'x'), QByteArray(71, 'y'), "" }, { QByteArray(70, 'x'), "", "" } },
        { { "bad id", digestOf("a.ID"), "ok" }, { "", digestOf("a.ID"), "ok" } }, // made to collide
    };
    for (const auto &row : rows) {
        const QList<QByteArray> ids = BoxUniqueIds::assign(names, row[0]);
        EXPECT_EQ(QSet<QByteArray>(ids.begin(), ids.end()).size(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(BoxUniqueIds::usable(ids[i])) << ids[i].constData();
            if (!row[1][i].isEmpty() || !row[0].contains(digestOf(names[i].toUtf8()))) {
                EXPECT_EQ(ids[i], row[1][i].isEmpty() ? digestOf(names[i].toUtf8()) : row[1][i]);
            }
        }
        EXPECT_EQ(BoxUniqueIds::assign(names, row[0]), ids); // the same on every connection
    }
}

} // namespace

} // namespace vesk::test
