#include "StoreFixture.h"

namespace vesk::test {
namespace {

using Naming = StoreFixture;

TEST_F(Naming, StampIsSeventeenZeroPaddedDigits)
{
    m_clock.set(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5, 7)));
    EXPECT_EQ(m_store.timeStampGet(), "20270102030405007");
    m_clock.set(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 999)));
    EXPECT_EQ(m_store.timeStampGet(), "20261231235959999");
}

TEST_F(Naming, SameMillisecondGetsCountersZeroAndOne)
{
    const QString stamp = m_store.timeStampGet();
    const QString first = m_store.newFileName(stamp, { Box::InBox, Box::InBox1, Box::InBox2 });
    EXPECT_EQ(first, "202612052033101230.ID");
    ASSERT_TRUE(m_store.save(Box::InBox, first, { "a" }));
    EXPECT_EQ(m_store.newFileName(m_store.timeStampGet(), { Box::InBox, Box::InBox1, Box::InBox2 }),
        "202612052033101231.ID");
}

TEST_F(Naming, CounterTakenInAnotherBoxIsSkipped)
{
    const QString stamp = m_store.timeStampGet();
    put(Box::InBox, stamp + "0.ID");
    put(Box::InBox1, stamp + "1.ID");
    EXPECT_EQ(m_store.newFileName(stamp, { Box::InBox, Box::InBox1, Box::InBox2 }), stamp + "2.ID");
}

TEST_F(Naming, OnlyTheGivenFoldersCount)
{
    const QString stamp = m_store.timeStampGet();
    put(Box::InBox, stamp + "0.ID");
    EXPECT_EQ(m_store.newFileName(stamp, { Box::OutBox }), stamp + "0.ID");
}

TEST_F(Naming, ExistingNameCountsWhateverTheCaseOfItsExtension)
{
    const QString stamp = m_store.timeStampGet();
    put(Box::InBox2, stamp + "0.id");
    put(Box::InBox2, stamp + "1.Id");
    EXPECT_EQ(m_store.newFileName(stamp, { Box::InBox, Box::InBox1, Box::InBox2 }), stamp + "2.ID");
}

TEST_F(Naming, LowestFreeCounterFillsAGap)
{
    const QString stamp = m_store.timeStampGet();
    put(Box::OutBox, stamp + "0.ID");
    put(Box::OutBox, stamp + "2.ID");
    EXPECT_EQ(m_store.newFileName(stamp, { Box::OutBox }), stamp + "1.ID");
}

TEST_F(Naming, LeftoverTempFileDoesNotTakeTheName)
{
    const QString stamp = m_store.timeStampGet();
    put(Box::OutBox, ".tmp-" + stamp + "0.ID.part", "half");
    const QString name = m_store.newFileName(stamp, { Box::OutBox });
    EXPECT_EQ(name, stamp + "0.ID");
    // and saving over the leftover works
    ASSERT_TRUE(m_store.save(Box::OutBox, name, { "whole" }));
    EXPECT_EQ(m_store.read(Box::OutBox, name), "whole\r\n");
}

TEST_F(Naming, FolderNames)
{
    EXPECT_EQ(boxFolderName(Box::InBox), "InBox/");
    EXPECT_EQ(boxFolderName(Box::InBox1), "InBox1/");
    EXPECT_EQ(boxFolderName(Box::InBox2), "InBox2/");
    EXPECT_EQ(boxFolderName(Box::OutBox), "OutBox/");
    EXPECT_EQ(m_store.filePath(Box::OutBox, "1.ID"), m_dir.path() + "/OutBox/1.ID");
}

} // namespace
} // namespace vesk::test
