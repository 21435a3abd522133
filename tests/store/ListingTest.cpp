#include "StoreFixture.h"

#include <QDir>

namespace vesk::test {
namespace {

using Listing = StoreFixture;

TEST_F(Listing, OnlyIdFilesInAnyCaseSortedByName)
{
    put(Box::InBox, "202612052033101231.ID");
    put(Box::InBox, "202612040000000000.id");
    put(Box::InBox, "202612052033101230.Id");
    put(Box::InBox, "notes.txt");
    put(Box::InBox, "202612052033101232.IDX");
    put(Box::InBox, "202612052033101233.ID.bak");
    ASSERT_TRUE(QDir().mkdir(m_store.filePath(Box::InBox, "folder.ID")));
    EXPECT_EQ(m_store.listing(Box::InBox),
        QStringList({ "202612040000000000.id", "202612052033101230.Id", "202612052033101231.ID" }));
}

TEST_F(Listing, PlainNameOrderPutsCounterTenBeforeTwo)
{
    // The counter is not padded; the order stays that of the names.
    const QString stamp = "20261205203310123";
    for (const char *counter : { "2", "10", "1" })
        put(Box::InBox, stamp + counter + ".ID");
    put(Box::InBox, "20261205203310124" + QString("0.ID"));
    EXPECT_EQ(m_store.listing(Box::InBox),
        QStringList({ stamp + "1.ID", stamp + "10.ID", stamp + "2.ID", "202612052033101240.ID" }));
}

TEST_F(Listing, TempFilesOfASaveAreNeverListed)
{
    put(Box::OutBox, ".tmp-202612052033101230.ID.part", "VeskFrom: <a@b>\r\nhalf");
    EXPECT_TRUE(m_store.listing(Box::OutBox).isEmpty());
    EXPECT_EQ(m_store.checkDir(Box::OutBox).count, 0);
    EXPECT_EQ(m_store.searchFile(Box::OutBox, "1").fileName, "");
}

TEST_F(Listing, CheckDirCountsIdFilesAndTheirBytes)
{
    put(Box::InBox1, "1.ID", "abc\r\n");
    put(Box::InBox1, "2.id", QByteArray(1000, 'x'));
    put(Box::InBox1, "3.txt", QByteArray(77, 'x'));
    const MessageStore::Summary summary = m_store.checkDir(Box::InBox1);
    EXPECT_EQ(summary.count, 2);
    EXPECT_EQ(summary.totalSize, 1005);
}

TEST_F(Listing, MissingFolderIsEmpty)
{
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox2)).removeRecursively());
    EXPECT_TRUE(m_store.listing(Box::InBox2).isEmpty());
    EXPECT_EQ(m_store.checkDir(Box::InBox2).count, 0);
    EXPECT_EQ(m_store.searchFile(Box::InBox2, "1").size, 0);
}

} // namespace
} // namespace vesk::test
