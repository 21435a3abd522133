#include "store/MessageStore.h"
#include "support/RecordingMessenger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

void makeFile(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(CreateFolders, MakesTheFourBoxesQuietly)
{
    QTemporaryDir dir;
    const MessageStore store(dir.path() + "/data");
    RecordingMessenger messenger;
    store.createFolders(messenger);
    EXPECT_TRUE(messenger.messages.isEmpty());
    for (Box box : { Box::InBox, Box::InBox1, Box::InBox2, Box::OutBox })
        EXPECT_TRUE(QFileInfo(store.folderPath(box)).isDir()) << store.folderPath(box).toStdString();
    // Again on existing folders: nothing to say.
    store.createFolders(messenger);
    EXPECT_TRUE(messenger.messages.isEmpty());
}

TEST(CreateFolders, ReportsEachFailureInOrderAndGoesOn)
{
    QTemporaryDir dir;
    const MessageStore store(dir.path());
    makeFile(dir.path() + "/InBox2");
    makeFile(dir.path() + "/OutBox");
    RecordingMessenger messenger;
    store.createFolders(messenger);
    EXPECT_EQ(messenger.messages,
        QStringList({ QString::fromUtf8("OutBoxフォルダを作成出来ません"),
            QString::fromUtf8("InBox2フォルダを作成出来ません") }));
    EXPECT_TRUE(QFileInfo(store.folderPath(Box::InBox)).isDir());
    EXPECT_TRUE(QFileInfo(store.folderPath(Box::InBox1)).isDir());
    // Later operations on a missing folder find nothing.
    EXPECT_TRUE(store.listing(Box::OutBox).isEmpty());
    EXPECT_EQ(store.searchFile(Box::OutBox, "1").fileName, "");
}

TEST(CreateFolders, EveryTextWhenNothingCanBeCreated)
{
    QTemporaryDir dir;
    makeFile(dir.path() + "/data");
    const MessageStore store(dir.path() + "/data");
    RecordingMessenger messenger;
    store.createFolders(messenger);
    EXPECT_EQ(messenger.messages,
        QStringList({ QString::fromUtf8("OutBoxフォルダを作成出来ません"),
            QString::fromUtf8("InBoxフォルダを作成出来ません"),
            QString::fromUtf8("InBox1フォルダを作成出来ません"),
            QString::fromUtf8("InBox2フォルダを作成出来ません") }));
    EXPECT_EQ(messenger.beeps, 0);
}

} // namespace
} // namespace vesk::test
