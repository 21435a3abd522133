#include "RuleMessages.h"

#include "store/rules/Distributor.h"
#include "store/rules/Redistributor.h"
#include "support/CoreFixture.h"

namespace vesk::test {
namespace {

class RedistributorTest : public CoreFixture
{
protected:
    void SetUp() override
    {
        CoreFixture::SetUp();
        put(Box::InBox1, "202612052033101230.ID", message("Taro <t@example.jp>", "a@example.org"));
        put(Box::InBox2, "202612052033101231.ID", message("Jiro <j@example.jp>", "b@example.org"));
        put(Box::InBox, "202612052033101232.ID", message("Hanako <h@example.jp>", "c@example.org"));
    }
    QStringList files(Box box) const
    {
        return QDir(m_store.folderPath(box)).entryList(QDir::Files | QDir::Hidden);
    }

    Distributor m_distributor { m_store };
    Redistributor m_redistributor { m_store, m_distributor };
};

TEST_F(RedistributorTest, TheWholeReceiveSideGoesBackAndThroughTheCurrentRules)
{
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    EXPECT_TRUE(report.notReturned.isEmpty());
    EXPECT_TRUE(report.renamed.isEmpty());
    EXPECT_EQ(listing(Box::InBox).size(), 3);
    EXPECT_TRUE(files(Box::InBox1).isEmpty());
    EXPECT_TRUE(files(Box::InBox2).isEmpty());
    m_distributor.setRules(rules({ "jiro" }, {}, {}, { "a@example" }));
    m_redistributor.mnuReDevClick();
    EXPECT_EQ(listing(Box::InBox1), QStringList { "202612052033101231.ID" });
    EXPECT_EQ(listing(Box::InBox2), QStringList { "202612052033101230.ID" });
    EXPECT_EQ(listing(Box::InBox), QStringList { "202612052033101232.ID" });
}

TEST_F(RedistributorTest, TheSameNameInInBoxAndAMailersBoxKeepsBothMessages)
{
    const QByteArray second = m_store.read(Box::InBox1, "202612052033101230.ID");
    put(Box::InBox, "202612052033101230.ID", "first\r\n");
    put(Box::InBox2, "note.ID", "third\r\n");
    put(Box::InBox, "note.ID", "fourth\r\n");
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    ASSERT_EQ(report.renamed.size(), 2);
    EXPECT_EQ(report.renamed[0].from, "202612052033101230.ID");
    EXPECT_EQ(m_store.read(Box::InBox, "202612052033101230.ID"), "first\r\n");
    EXPECT_EQ(m_store.read(Box::InBox, report.renamed[0].to), second);
    // A name that is not a stamp still gets a free one.
    EXPECT_EQ(m_store.read(Box::InBox, "note.ID"), "fourth\r\n");
    EXPECT_EQ(m_store.read(Box::InBox, report.renamed[1].to), "third\r\n");
    EXPECT_TRUE(files(Box::InBox1).isEmpty());
}

TEST_F(RedistributorTest, AMessageThatCannotComeBackStaysInItsBox)
{
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox)).removeRecursively());
    EXPECT_EQ(m_redistributor.mnuReDevClick().notReturned,
        (QStringList { "202612052033101230.ID", "202612052033101231.ID" }));
    EXPECT_EQ(listing(Box::InBox1), QStringList { "202612052033101230.ID" });
}

} // namespace
} // namespace vesk::test
