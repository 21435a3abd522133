#include "platform/SingleInstance.h"
#include "platform/GlobalAtoms.h"
#include "support/WaitFor.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

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

TEST(FileAtoms, AnAtomIsAFileOthersCanTestAndNamesNeverLeaveTheFolder)
{
    QTemporaryDir dir;
    FileAtoms atoms(dir.path() + "/vesk");
    EXPECT_TRUE(atoms.add("VeskTalked"));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/vesk/VeskTalked"));
    EXPECT_TRUE(atoms.exists("VeskTalked"));
    atoms.remove("VeskTalked");
    EXPECT_FALSE(atoms.exists("VeskTalked"));
    EXPECT_FALSE(atoms.add("../escape"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/escape"));
}

} // namespace vesk::test
