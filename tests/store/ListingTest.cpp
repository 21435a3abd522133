#include "support/CoreFixture.h"

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
} // namespace vesk::test
