#include "platform/GlobalAtoms.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk::test {
namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Without XDG_RUNTIME_DIR the folder lives under /tmp, where another user
// can make it first, open to all, with "vesk" linked to one of our files.
TEST(RuntimeFolder, OneMadeOrLinkedByOthersIsNeverUsed)
{
    QTemporaryDir dir;
    const QString victim = dir.path() + "/victim";
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("precious\n");
    file.close();

    const QString open = dir.path() + "/open";
    ASSERT_TRUE(QDir().mkdir(open));
    ::chmod(QFile::encodeName(open).constData(), 0777);
    const QString linked = dir.path() + "/linked";
    ASSERT_TRUE(QDir().mkdir(dir.path() + "/real"));
    ASSERT_TRUE(QFile::link(dir.path() + "/real", linked));
    QStringList hostile = { open, linked };
    if (::getuid() == 0) {
        const QString foreign = dir.path() + "/foreign";
        ASSERT_TRUE(QDir().mkdir(foreign));
        ASSERT_EQ(::chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
        ::chmod(QFile::encodeName(foreign).constData(), 0700);
        hostile << foreign;
    }
    for (const QString &folder : hostile) {
        QFile::link(victim, folder + "/vesk");
        QString error;
        SingleInstance instance(folder);
        EXPECT_FALSE(instance.acquire(&error)) << folder.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(instance.request("status", nullptr, 1000));
        EXPECT_FALSE(FileAtoms(folder).add("vesk")) << folder.toStdString();
    }
    EXPECT_EQ(contentOf(victim), "precious\n");

    // Our own folder with a link planted while it was open: the link is
    // replaced, not written through, and the file holds our process id.
    const QString own = dir.path() + "/own";
    ASSERT_TRUE(QDir().mkdir(own));
    ::chmod(QFile::encodeName(own).constData(), 0700);
    ASSERT_TRUE(QFile::link(victim, own + "/vesk"));
    EXPECT_TRUE(FileAtoms(own).add("vesk"));
    EXPECT_EQ(contentOf(victim), "precious\n");
    EXPECT_EQ(contentOf(own + "/vesk"), QByteArray::number(qint64(::getpid())) + '\n');
}

} // namespace
} // namespace vesk::test
