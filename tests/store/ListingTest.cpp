#include "store/MessageNumber.h"
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

TEST_F(Listing, SearchFileNumbersCountFromOneAndOtherTextsGiveTheLastNothingOrMinusOne)
{
    put(Box::InBox, "a1.ID", "1");
    put(Box::InBox, "a2.ID", "22");
    put(Box::InBox, "a3.ID", "333");
    const std::pair<const char *, const char *> named[]
        = { { "1", "a1.ID" }, { "+2", "a2.ID" }, { "002", "a2.ID" }, { "3", "a3.ID" }, { "4", "a3.ID" },
              { "2147483647", "a3.ID" }, { "-2", "a3.ID" }, { "-2147483648", "a3.ID" } };
    for (const auto &[text, name] : named) {
        EXPECT_EQ(m_store.searchFile(Box::InBox, text).fileName, name) << text;
        EXPECT_EQ(m_store.searchFile(Box::InBox, text).size, QString(name).mid(1, 1).toInt()) << text;
    }
    for (const char *text : { "0", "-0", "000" })
        EXPECT_EQ(m_store.searchFile(Box::InBox, text).size, 0) << text;
    for (const char *text : { "-1", "", "1x", " 1", "+", "0x10", "1.0", "2147483648", "-2147483649", "１" })
        EXPECT_EQ(m_store.searchFile(Box::InBox, QString::fromUtf8(text)).size, -1) << text;
    // An empty box: nothing, except for -1 and non-numbers.
    EXPECT_EQ(m_store.searchFile(Box::InBox2, "5").size, 0);
    EXPECT_EQ(m_store.searchFile(Box::InBox2, "-3").size, 0);
    EXPECT_EQ(m_store.searchFile(Box::InBox2, "1x").size, -1);
    // Numbers follow the listing at the time of the call.
    ASSERT_TRUE(m_store.remove(Box::InBox, "a1.ID"));
    EXPECT_EQ(m_store.searchFile(Box::InBox, "1").fileName, "a2.ID");
    EXPECT_EQ(parseMessageNumber("00000000000000000000001"), 1);
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
