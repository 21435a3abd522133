#include "StoreFixture.h"

#include "platform/DurableFile.h"

#include <QDir>

namespace vesk::test {
namespace {

using Save = StoreFixture;

QStringList allEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST_F(Save, EveryLineEndsInCrLfAndBytesStayExact)
{
    const QList<QByteArray> lines = { "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=", "", "..x",
        QByteArray("\x1b$B$\"\x1b(B\xff\x80", 10), "", "." };
    ASSERT_TRUE(m_store.save(Box::InBox, "1.ID", lines));
    EXPECT_EQ(m_store.read(Box::InBox, "1.ID"),
        QByteArray("Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n\r\n..x\r\n") + lines[3]
            + "\r\n\r\n.\r\n");
    EXPECT_EQ(m_store.searchFile(Box::InBox, "1").size, m_store.read(Box::InBox, "1.ID").size());
}

TEST_F(Save, ContentIsWrittenAsGivenAndListedOnceSaved)
{
    ASSERT_TRUE(m_store.saveContent(Box::OutBox, "2.ID", "VeskFrom: <a@b>\r\nno end"));
    EXPECT_EQ(m_store.read(Box::OutBox, "2.ID"), "VeskFrom: <a@b>\r\nno end");
    EXPECT_EQ(m_store.listing(Box::OutBox), QStringList { "2.ID" });
    EXPECT_EQ(allEntries(m_store.folderPath(Box::OutBox)), QStringList { "2.ID" });
}

TEST_F(Save, NeverReplacesAnExistingMessage)
{
    put(Box::InBox, "3.ID", "first\r\n");
    QString error;
    EXPECT_FALSE(m_store.save(Box::InBox, "3.ID", { "second" }, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(m_store.read(Box::InBox, "3.ID"), "first\r\n");
    EXPECT_EQ(allEntries(m_store.folderPath(Box::InBox)), QStringList { "3.ID" });
}

TEST_F(Save, CrashLeftoverIsNeverListedAndOldOnesAreCleared)
{
    // What a save interrupted before its rename leaves.
    const QString fresh = DurableFile::tempName("202612052033101230.ID");
    const QString old = DurableFile::tempName("202612052033101231.ID");
    put(Box::InBox, fresh, "Subject: half");
    put(Box::InBox, old, "Subject: half");
    QFile oldFile(m_store.filePath(Box::InBox, old));
    ASSERT_TRUE(oldFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        oldFile.setFileTime(QDateTime::currentDateTime().addSecs(-2 * 3600), QFile::FileModificationTime));
    oldFile.close();

    EXPECT_TRUE(m_store.listing(Box::InBox).isEmpty());
    EXPECT_EQ(m_store.checkDir(Box::InBox).count, 0);
    EXPECT_EQ(m_store.searchFile(Box::InBox, "-3").fileName, "");

    m_store.createFolders(m_messenger);
    EXPECT_FALSE(exists(Box::InBox, old));
    // A young one may belong to a save still running.
    EXPECT_TRUE(exists(Box::InBox, fresh));
}

TEST_F(Save, FolderInTheWayFailsAndLeavesNothing)
{
    ASSERT_TRUE(QDir(m_store.folderPath(Box::OutBox)).removeRecursively());
    QFile blocker(m_dir.path() + "/OutBox");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(m_store.save(Box::OutBox, "4.ID", { "x" }, &error));
    EXPECT_TRUE(error.contains("OutBox")) << error.toStdString();
    EXPECT_EQ(allEntries(m_dir.path()), QStringList({ "InBox", "InBox1", "InBox2", "OutBox" }));
}

TEST_F(Save, NamesThatLeaveTheFolderAreRefused)
{
    for (const char *name : { "", ".", "..", "../InBox1/7.ID", "sub/7.ID" }) {
        SCOPED_TRACE(name);
        QString error;
        EXPECT_FALSE(m_store.save(Box::InBox, name, { "x" }, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(m_store.remove(Box::InBox, name));
    }
    EXPECT_TRUE(m_store.listing(Box::InBox1).isEmpty());
    put(Box::InBox1, "8.ID", "keep");
    EXPECT_TRUE(m_store.read(Box::InBox, "../InBox1/8.ID").isEmpty());
    EXPECT_FALSE(m_store.remove(Box::InBox, "../InBox1/8.ID"));
    EXPECT_TRUE(exists(Box::InBox1, "8.ID"));
}

TEST_F(Save, RemoveIsTrueOnceGone)
{
    put(Box::OutBox, "9.ID");
    EXPECT_TRUE(m_store.remove(Box::OutBox, "9.ID"));
    EXPECT_FALSE(exists(Box::OutBox, "9.ID"));
    EXPECT_TRUE(m_store.remove(Box::OutBox, "9.ID"));
    ASSERT_TRUE(QDir().mkdir(m_store.filePath(Box::OutBox, "dir.ID")));
    EXPECT_FALSE(m_store.remove(Box::OutBox, "dir.ID"));
}

TEST_F(Save, ReadOfAMissingFileIsEmpty)
{
    EXPECT_TRUE(m_store.read(Box::InBox, "none.ID").isEmpty());
}

} // namespace
} // namespace vesk::test
