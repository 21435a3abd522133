#include "settings/IniSettingsStore.h"
#include "settings/RegRead.h"
#include "support/RecordingMessenger.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A settings file that reads only in part is kept beside before the first
// save can replace it, and the user hears of it once.
TEST(BadSettingsFile, IsKeptBesideAsBadAndToldOnce)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Vesk.ini";
    static const char text[] = "[Config]\nHost=pop.example.jp\n\x89PNG\r\n\x1a\n\0\0garbage line\nUserID=taro\n";
    const QByteArray original(text, sizeof text - 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(original);
    file.close();

    IniSettingsStore store(path);
    RecordingMessenger messenger;
    const Settings settings = RegRead(store, messenger);
    EXPECT_EQ(settings.Host, "pop.example.jp");
    EXPECT_EQ(settings.UserID, "taro");
    EXPECT_EQ(contentOf(path + ".bad"), original);
    ASSERT_EQ(messenger.messages.size(), 1);
    EXPECT_TRUE(messenger.messages[0].contains(path + ".bad"));

    EXPECT_TRUE(store.writeString("Config", "Host", "pop2.example.jp"));
    RegRead(store, messenger);
    EXPECT_EQ(messenger.messages.size(), 1);
    EXPECT_EQ(contentOf(path + ".bad"), original);

    // The same bad file read again after a restart: kept and told already.
    IniSettingsStore fresh(dir.path() + "/other.ini");
    QFile::copy(path + ".bad", dir.path() + "/other.ini.bad");
    QFile::copy(path + ".bad", dir.path() + "/other.ini");
    RegRead(fresh, messenger);
    EXPECT_EQ(messenger.messages.size(), 1);
}

} // namespace
} // namespace vesk::test
