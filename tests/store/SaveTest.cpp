#include "platform/DurableFile.h"
#include "support/CoreFixture.h"

namespace vesk::test {
namespace {

using Save = CoreFixture;

QStringList allEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST_F(Save, ContentIsWrittenAsGivenAndNothingElseIsLeft)
{
    const QByteArray content
        = "VeskFrom: <a@b>\r\n\r\n..x\r\n\x1b$B$\"\x1b(B\xff" + QByteArray(1, '\0') + "no end";
    ASSERT_TRUE(m_store.saveContent(Box::OutBox, "2.ID", content));
    EXPECT_EQ(m_store.read(Box::OutBox, "2.ID"), content);
    EXPECT_EQ(allEntries(m_store.folderPath(Box::OutBox)), QStringList { "2.ID" });
    EXPECT_TRUE(m_store.read(Box::InBox, "none.ID").isEmpty());
}

TEST_F(Save, NeverReplacesAnExistingMessage)
{
    put(Box::InBox, "3.ID", "first\r\n");
    QString error;
    EXPECT_FALSE(m_store.saveContent(Box::InBox, "3.ID", "second", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(m_store.read(Box::InBox, "3.ID"), "first\r\n");
    EXPECT_EQ(allEntries(m_store.folderPath(Box::InBox)), QStringList { "3.ID" });
}

TEST_F(Save, CrashLeftoverIsNeverListedAndOldOnesAreCleared)
{
    // What a save interrupted before its rename leaves.
    const QString fresh = DurableFile::tempName("202612060800000000.ID");
    const QString old = DurableFile::tempName("202612060800000001.ID");
    put(Box::InBox, fresh, "Subject: half");
    put(Box::InBox, old, "Subject: half");
    QFile oldFile(m_store.filePath(Box::InBox, old));
    ASSERT_TRUE(oldFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        oldFile.setFileTime(QDateTime::currentDateTime().addSecs(-7200), QFile::FileModificationTime));
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
    EXPECT_EQ(m_store.checkDir(Box::InBox).count, 0);
    EXPECT_EQ(m_store.searchFile(Box::InBox, "-3").fileName, "");
    EXPECT_EQ(m_store.newFileName("20261206080000000", { Box::InBox }), "202612060800000000.ID");
    m_store.createFolders(m_messenger);
    EXPECT_FALSE(exists(Box::InBox, old));
    EXPECT_TRUE(exists(Box::InBox, fresh)); // a young one may belong to a save still running
}

TEST_F(Save, AFolderInTheWayOrANameLeavingTheFolderFailsAndLeavesNothing)
{
    blockFolder(Box::OutBox);
    QString error;
    EXPECT_FALSE(m_store.saveContent(Box::OutBox, "4.ID", "x", &error));
    EXPECT_TRUE(error.contains("OutBox")) << error.toStdString();
    EXPECT_EQ(allEntries(m_dir.path()), QStringList({ "InBox", "InBox1", "InBox2", "OutBox" }));
    put(Box::InBox1, "8.ID", "keep");
    for (const char *name : { "", ".", "..", "../InBox1/8.ID", "sub/7.ID" }) {
        EXPECT_FALSE(m_store.saveContent(Box::InBox, name, "x")) << name;
        EXPECT_FALSE(m_store.remove(Box::InBox, name)) << name;
    }
    EXPECT_TRUE(m_store.read(Box::InBox, "../InBox1/8.ID").isEmpty());
    EXPECT_EQ(listing(Box::InBox1), QStringList { "8.ID" });
}

TEST_F(Save, RemoveIsTrueOnceTheFileIsGone)
{
    put(Box::OutBox, "9.ID");
    EXPECT_TRUE(m_store.remove(Box::OutBox, "9.ID"));
    EXPECT_FALSE(exists(Box::OutBox, "9.ID"));
    EXPECT_TRUE(m_store.remove(Box::OutBox, "9.ID"));
    ASSERT_TRUE(QDir().mkdir(m_store.filePath(Box::OutBox, "dir.ID")));
    EXPECT_FALSE(m_store.remove(Box::OutBox, "dir.ID"));
}

TEST(CreateFolders, MakesTheFourBoxesQuietlyOrSaysWhichItCouldNot)
{
    QTemporaryDir dir;
    RecordingMessenger messenger;
    MessageStore(dir.path() + "/fine").createFolders(messenger);
    MessageStore(dir.path() + "/fine").createFolders(messenger); // again on existing folders
    EXPECT_TRUE(messenger.messages.isEmpty());
    EXPECT_EQ(QDir(dir.path() + "/fine").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
        QStringList({ "InBox", "InBox1", "InBox2", "OutBox" }));
    QFile(dir.path() + "/file").open(QIODevice::WriteOnly);
    MessageStore(dir.path() + "/file").createFolders(messenger);
    EXPECT_EQ(messenger.messages,
        QStringList({ "OutBoxフォルダを作成出来ません", "InBoxフォルダを作成出来ません",
            "InBox1フォルダを作成出来ません", "InBox2フォルダを作成出来ません" }));
    EXPECT_EQ(messenger.beeps, 0);
}

} // namespace
} // namespace vesk::test
