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

// The controller's atoms are tested with it; here only the folder they keep to.
TEST(FileAtoms, NamesNeverLeaveTheFolder)
{
    QTemporaryDir dir;
    EXPECT_FALSE(FileAtoms(dir.path() + "/vesk").add("../escape"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/escape"));
}

} // namespace vesk::test
