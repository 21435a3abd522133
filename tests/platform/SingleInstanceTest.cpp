#include "platform/SingleInstance.h"
#include "platform/GlobalAtoms.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vesk::test {

TEST(SingleInstance, SecondCopyIsRefusedAndItsRequestIsAnswered)
{
    QTemporaryDir dir;
    SingleInstance lone(dir.path() + "/vesk");
    QStringList reply;
    EXPECT_FALSE(lone.request("status", &reply, 1000)); // nobody to answer yet
    SingleInstance first(dir.path() + "/vesk");
    ASSERT_TRUE(first.acquire());
    first.setHandler([](const QString &command, const SingleInstance::Reply &reply) {
        reply("got: " + command, false);
        reply("second line", true);
    });
    SingleInstance second(dir.path() + "/vesk");
    EXPECT_FALSE(second.acquire());
    std::atomic<bool> done { false };
    bool ok = false;
    std::thread client([&] {
        ok = second.request("status", &reply, 10000);
        done = true;
    });
    EXPECT_TRUE(waitFor([&] { return done.load(); }));
    client.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(reply, (QStringList { "got: status", "second line" }));
}

TEST(SingleInstance, TheLockDiesWithItsHolderAndAStaleSocketIsReplaced)
{
    QTemporaryDir dir;
    std::make_unique<SingleInstance>(dir.path() + "/vesk")->acquire();
    SingleInstance next(dir.path() + "/vesk");
    EXPECT_TRUE(next.acquire());
    EXPECT_TRUE(QFileInfo::exists(next.socketPath()));
}

// The controller's atoms are tested with it; here only the folder they keep to.
TEST(FileAtoms, NamesNeverLeaveTheFolder)
{
    QTemporaryDir dir;
    EXPECT_FALSE(FileAtoms(dir.path() + "/vesk").add("../escape"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/escape"));
}

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
