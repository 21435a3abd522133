#include "StoreFixture.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace vesk::test {
namespace {

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// What another local user (or a mistake) can leave in a box: none of it is
// listed, served or read, and nothing waits on it.
TEST_F(StoreFixture, OnlyRegularFilesAreListedAndRead)
{
    put(Box::InBox, "20261206080000000.ID", "Message-ID: <ok@x>\r\n\r\nbody\r\n");
    const QString fifo = m_dir.path() + "/fifo";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString box = m_store.folderPath(Box::InBox);
    ASSERT_EQ(::mkfifo(QFile::encodeName(box + "2026120608000001.ID").constData(), 0600), 0);
    const struct
    {
        const char *name;
        QString target;
    } links[] = { { "2026120608000002.ID", fifo }, { "2026120608000003.ID", "/etc/passwd" },
        { "2026120608000004.ID", "/dev/zero" } };
    for (const auto &link : links)
        ASSERT_TRUE(QFile::link(link.target, box + link.name)) << link.name;

    EXPECT_EQ(m_store.listing(Box::InBox), QStringList { "20261206080000000.ID" });
    EXPECT_EQ(m_store.checkDir(Box::InBox).count, 1);
    for (const QString name : { "2026120608000001.ID", "2026120608000002.ID", "2026120608000003.ID",
             "2026120608000004.ID" }) {
        EXPECT_TRUE(m_store.read(Box::InBox, name).isEmpty()) << name.toStdString();
        EXPECT_EQ(m_store.searchUidl(Box::InBox, name), name.chopped(3));
    }
    EXPECT_EQ(m_store.searchUidl(Box::InBox, "20261206080000000.ID"), "ok@x");
}

TEST(StoreFolders, AreTheOwnersOnlyAlsoWhenMadeOpenBefore)
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/data";
    ASSERT_TRUE(QDir().mkpath(root + "/InBox"));
    ::chmod(QFile::encodeName(root).constData(), 0755);
    ::chmod(QFile::encodeName(root + "/InBox").constData(), 0777);
    const MessageStore store(root);
    RecordingMessenger messenger;
    store.createFolders(messenger);
    EXPECT_EQ(modeOf(root), 0700u);
    for (Box box : { Box::InBox, Box::InBox1, Box::InBox2, Box::OutBox })
        EXPECT_EQ(modeOf(store.folderPath(box)), 0700u) << store.folderPath(box).toStdString();
}

} // namespace
} // namespace vesk::test
