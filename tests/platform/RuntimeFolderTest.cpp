#include "platform/GlobalAtoms.h"
#include "platform/SingleInstance.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk::test {
namespace {

QString folder(const QTemporaryDir &dir, const char *name, mode_t mode)
{
    const QString path = dir.path() + '/' + name;
    QDir().mkdir(path);
    ::chmod(QFile::encodeName(path).constData(), mode);
    return path;
}

// Under /tmp another user can make the folder first, open to all, with
// "vesk" linked to one of our files. Such a folder is never used, and a link
// left in our own is replaced, never written through.
TEST(RuntimeFolder, OneMadeOrLinkedByOthersIsNeverUsed)
{
    QTemporaryDir dir;
    const QString victim = dir.path() + "/victim";
    ASSERT_TRUE(writeFile(victim, "precious"));
    QStringList hostile = { folder(dir, "open", 0777), dir.path() + "/linked" };
    QFile::link(folder(dir, "real", 0700), hostile[1]);
    if (::getuid() == 0 && ::chown(QFile::encodeName(folder(dir, "foreign", 0700)).constData(), 65534, 65534) == 0)
        hostile << dir.path() + "/foreign";
    for (const QString &path : hostile) {
        QFile::link(victim, path + "/vesk");
        QString error;
        EXPECT_FALSE(SingleInstance(path).acquire(&error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(SingleInstance(path).request("status", nullptr, 1000));
        EXPECT_FALSE(FileAtoms(path).add("vesk"));
    }
    const QString own = folder(dir, "own", 0700);
    QFile::link(victim, own + "/vesk");
    EXPECT_TRUE(FileAtoms(own).add("vesk"));
    EXPECT_EQ(fileBytes(victim), "precious");
    EXPECT_EQ(fileBytes(own + "/vesk"), QByteArray::number(qint64(::getpid())) + '\n');
}

} // namespace
} // namespace vesk::test
