#include "RulesFixture.h"

#include "store/rules/Distributor.h"
#include "store/rules/Redistributor.h"

namespace vesk::test {
namespace {

class RedistributorTest : public RulesFixture
{
protected:
    Distributor m_distributor { m_store };
    Redistributor m_redistributor { m_store, m_distributor };
};

TEST_F(RedistributorTest, WithoutRulesEverythingComesBackToInBox)
{
    put(Box::InBox1, "202612052033101230.ID", message("Taro <t@example.jp>", "a@example.org"));
    put(Box::InBox2, "202612052033101231.ID", message("Jiro <j@example.jp>", "b@example.org"));
    put(Box::InBox, "202612052033101232.ID", message("Hanako <h@example.jp>", "c@example.org"));
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    EXPECT_TRUE(report.notReturned.isEmpty());
    EXPECT_TRUE(report.renamed.isEmpty());
    EXPECT_EQ(listing(Box::InBox),
        QStringList({ "202612052033101230.ID", "202612052033101231.ID", "202612052033101232.ID" }));
    EXPECT_TRUE(allFiles(Box::InBox1).isEmpty());
    EXPECT_TRUE(allFiles(Box::InBox2).isEmpty());
}

TEST_F(RedistributorTest, DistributesTheWholeReceiveSideByTheCurrentRules)
{
    RuleLists lists;
    lists.list(1) = QStringList { "jiro" };
    lists.list(4) = QStringList { "a@example" };
    m_distributor.setRules(lists);
    put(Box::InBox1, "202612052033101230.ID", message("Taro <t@example.jp>", "a@example.org"));
    put(Box::InBox2, "202612052033101231.ID", message("Jiro <j@example.jp>", "b@example.org"));
    put(Box::InBox, "202612052033101232.ID", message("Hanako <h@example.jp>", "c@example.org"));
    m_redistributor.mnuReDevClick();
    EXPECT_EQ(listing(Box::InBox1), QStringList { "202612052033101231.ID" });
    EXPECT_EQ(listing(Box::InBox2), QStringList { "202612052033101230.ID" });
    EXPECT_EQ(listing(Box::InBox), QStringList { "202612052033101232.ID" });
}

TEST_F(RedistributorTest, SameNameInInBoxAndAMailersBoxKeepsBothMessages)
{
    const QByteArray first = message("Taro <t@example.jp>", "a@example.org");
    const QByteArray second = message("Jiro <j@example.jp>", "b@example.org");
    put(Box::InBox, "202612052033101230.ID", first);
    put(Box::InBox1, "202612052033101230.ID", second);
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    ASSERT_EQ(report.renamed.size(), 1);
    EXPECT_EQ(report.renamed[0].from, "202612052033101230.ID");
    EXPECT_EQ(report.renamed[0].to, "202612052033101231.ID");
    EXPECT_EQ(listing(Box::InBox), QStringList({ "202612052033101230.ID", "202612052033101231.ID" }));
    EXPECT_EQ(m_store.read(Box::InBox, "202612052033101230.ID"), first);
    EXPECT_EQ(m_store.read(Box::InBox, "202612052033101231.ID"), second);
    EXPECT_TRUE(allFiles(Box::InBox1).isEmpty());
    EXPECT_TRUE(allFiles(Box::InBox2).isEmpty());
}

TEST_F(RedistributorTest, NameThatIsNotAStampStillGetsAFreeName)
{
    put(Box::InBox, "note.ID", "first\r\n");
    put(Box::InBox1, "note.ID", "second\r\n");
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    ASSERT_EQ(report.renamed.size(), 1);
    EXPECT_EQ(m_store.read(Box::InBox, "note.ID"), "first\r\n");
    EXPECT_EQ(m_store.read(Box::InBox, report.renamed[0].to), "second\r\n");
}

TEST_F(RedistributorTest, MessageThatCannotComeBackStaysInItsBox)
{
    put(Box::InBox1, "202612052033101230.ID", message("Taro <t@example.jp>", "a@example.org"));
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox)).removeRecursively());
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    EXPECT_EQ(report.notReturned, QStringList { "202612052033101230.ID" });
    EXPECT_EQ(listing(Box::InBox1), QStringList { "202612052033101230.ID" });
}

} // namespace
} // namespace vesk::test
