#include "settings/IniSettingsStore.h"
#include "settings/RegRead.h"
#include "support/RecordingMessenger.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// A settings file that reads only in part is kept beside before a save can
// replace it, and the user hears of it once, also over a restart.
TEST(BadSettingsFile, IsKeptBesideAsBadAndToldOnce)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Vesk.ini";
    static const char text[] = "[Config]\nHost=pop.example.jp\n\x89PNG\r\n\x1a\n\0\0garbage\nUserID=taro\n";
    const QByteArray original(text, sizeof text - 1);
    ASSERT_TRUE(writeFile(path, original));
    RecordingMessenger messenger;
    for (int start = 0; start < 2; ++start) {
        IniSettingsStore store(path);
        EXPECT_EQ(RegRead(store, messenger).UserID, "taro");
    }
    EXPECT_EQ(fileBytes(path + ".bad"), original);
    ASSERT_EQ(messenger.messages.size(), 1);
    EXPECT_TRUE(messenger.messages[0].contains(path + ".bad"));
}

} // namespace
} // namespace vesk::test
