#include "support/CoreFixture.h"

#include <sys/stat.h>

namespace vesk::test {
namespace {

using HostileFiles = CoreFixture;

// What another user (or a mistake) can leave in a box: none of it is listed
// or read, and nothing waits on it. The folders are the owner's only.
TEST_F(HostileFiles, OnlyRegularFilesAreListedAndReadInPrivateFolders)
{
    put(Box::InBox, "20261206080000000.ID", "Message-ID: <ok@x>\r\n\r\nbody\r\n");
    const QString box = m_store.folderPath(Box::InBox);
    const QString fifo = m_dir.path() + "/fifo";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(box + "1.ID").constData(), 0600), 0);
    QFile::link(fifo, box + "2.ID");
    QFile::link("/etc/passwd", box + "3.ID");
    QFile::link("/dev/zero", box + "4.ID");
    EXPECT_EQ(m_store.listing(Box::InBox), QStringList { "20261206080000000.ID" });
    for (const QString name : { "1.ID", "2.ID", "3.ID", "4.ID" }) {
        EXPECT_TRUE(m_store.read(Box::InBox, name).isEmpty()) << name.toStdString();
        EXPECT_EQ(m_store.searchUidl(Box::InBox, name), name.chopped(3));
    }

    ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(box).constData(), 0777);
    m_store.createFolders(m_messenger);
    for (const QString &path : { m_dir.path(), box, m_store.folderPath(Box::OutBox) }) {
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << path.toStdString();
    }
}

} // namespace
} // namespace vesk::test
