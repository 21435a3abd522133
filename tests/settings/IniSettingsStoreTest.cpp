#include "settings/IniSettingsStore.h"
#include "settings/RegRead.h"
#include "support/FileSizeLimit.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vesk::test {
namespace {

class IniSettingsStoreTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath("Dorvane/Vesk.ini"); }
    QByteArray content() const { return fileBytes(path()); }
    void write(const QByteArray &content) { ASSERT_TRUE(writeFile(path(), content)); }

    QTemporaryDir m_dir;
};

TEST_F(IniSettingsStoreTest, FileAndNewFolderAreForTheOwnerOnly)
{
    IniSettingsStore store(path());
    ASSERT_TRUE(store.writeString("Config", "Password", "..414243"));
    struct stat file, folder;
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &file), 0);
    ASSERT_EQ(::stat(QFile::encodeName(m_dir.filePath("Dorvane")).constData(), &folder), 0);
    EXPECT_EQ(file.st_mode & 07777, 0600u);
    EXPECT_EQ(folder.st_mode & 07777, 0700u);
}

TEST_F(IniSettingsStoreTest, ChangesByAnotherProgramArePickedUpAndNotOverwritten)
{
    IniSettingsStore store(path());
    ASSERT_TRUE(store.writeString("Temp", "PelmaComm", "first"));
    write("[Temp]\nPelmaComm=changed elsewhere\n");
    EXPECT_EQ(store.readString("Temp", "PelmaComm"), "changed elsewhere");
    ASSERT_TRUE(store.writeString("Temp", "PelmaDate", "12/06"));
    EXPECT_EQ(IniSettingsStore(path()).readString("Temp", "PelmaComm"), "changed elsewhere");
    QFile::remove(path());
    EXPECT_EQ(store.readString("Temp", "PelmaComm", "gone"), "gone");
}

TEST_F(IniSettingsStoreTest, AFailedSaveKeepsTheOldFileAndTheValuesForTheNextSave)
{
    IniSettingsStore store(path());
    ASSERT_TRUE(store.writeString("Config", "Host", "old.example.jp"));
    const QByteArray before = content();
    bool saved = true;
    {
        FileSizeLimit limit(before.size() + 10);
        saved = store.writeString("Config", "Macro", QString(1000, u'x'));
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(store.errorText().startsWith("設定ファイルを保存できません: " + path()))
        << store.errorText().toStdString();
    EXPECT_EQ(content(), before);
    EXPECT_EQ(QDir(m_dir.filePath("Dorvane")).entryList(QDir::Files | QDir::Hidden), QStringList("Vesk.ini"));
    EXPECT_EQ(store.readString("Config", "Macro").size(), 1000);
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(IniSettingsStore(path()).readString("Config", "Macro").size(), 1000);
}

// A file over the limit is moved aside unread (reading a 2 MB one cost a
// hundred times that), told once, and the settings start afresh.
TEST_F(IniSettingsStoreTest, AnOversizedFileIsMovedAsideUnreadAndToldOnce)
{
    write("[Config]\nHost=x\n");
    ASSERT_TRUE(QFile::resize(path(), IniSettingsStore::MaxFileSize + 1));
    RecordingMessenger messenger;
    for (int start = 0; start < 2; ++start) {
        IniSettingsStore store(path());
        EXPECT_EQ(RegRead(store, messenger).Host, start == 0 ? "" : "y");
        EXPECT_TRUE(store.writeString("Config", "Host", "y"));
    }
    EXPECT_EQ(QFileInfo(path() + ".bad").size(), IniSettingsStore::MaxFileSize + 1);
    EXPECT_EQ(IniSettingsStore(path()).readString("Config", "Host"), "y");
    ASSERT_EQ(messenger.messages.size(), 1);
    EXPECT_TRUE(messenger.messages[0].contains(path() + ".bad"));
}

// A settings file that reads only in part is kept beside before a save can
// replace it, and the user hears of it once, also over a restart.
TEST_F(IniSettingsStoreTest, AFileThatReadsOnlyInPartIsKeptBesideAsBadAndToldOnce)
{
    static const char text[] = "[Config]\nHost=pop.example.jp\n\x89PNG\r\n\x1a\n\0\0garbage\nUserID=taro\n";
    const QByteArray original(text, sizeof text - 1);
    write(original);
    RecordingMessenger messenger;
    for (int start = 0; start < 2; ++start) {
        IniSettingsStore store(path());
        EXPECT_EQ(RegRead(store, messenger).UserID, "taro");
    }
    EXPECT_EQ(fileBytes(path() + ".bad"), original);
    ASSERT_EQ(messenger.messages.size(), 1);
    EXPECT_TRUE(messenger.messages[0].contains(path() + ".bad"));
}

} // namespace
} // namespace vesk::test
