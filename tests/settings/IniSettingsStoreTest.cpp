#include "settings/IniSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk::test {
namespace {

int modeOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

// Makes every write beyond `bytes` fail, as on a full disk; works for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old;
    void (*m_oldHandler)(int);
};

class IniSettingsStoreTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath("Dorvane/Vesk.ini"); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(IniSettingsStoreTest, PlanNamesAndAwkwardValuesSurviveASaveAndReload)
{
    const QStringList values = { "0 0 会議 at 10:00; room=3, \"big\"", " leading and trailing ",
        "two\r\nlines", "\"quoted\"", "C:\\Program Files\\mailer.exe", "" };
    {
        IniSettingsStore store(path());
        SettingsStore::Batch batch(store);
        for (int i = 0; i < values.size(); ++i)
            store.writeString(
                "Plan", QStringLiteral("2026/12/06 08:00 %1").arg(i, 2, 10, QLatin1Char('0')), values[i]);
        store.writeString("Plan", "2026/12/06 08:00", "old form without rank");
        ASSERT_TRUE(batch.commit()) << store.errorText().toStdString();
    }
    IniSettingsStore reloaded(path());
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(reloaded.readString(
                      "Plan", QStringLiteral("2026/12/06 08:00 %1").arg(i, 2, 10, QLatin1Char('0'))),
            values[i]);
    const QStringList lines = reloaded.readSection("Plan");
    ASSERT_EQ(lines.size(), values.size() + 1);
    EXPECT_EQ(lines.first(), "2026/12/06 08:00 00=" + values.first());
    EXPECT_EQ(lines.last(), "2026/12/06 08:00=old form without rank");
}

TEST_F(IniSettingsStoreTest, HandWrittenFileIsRead)
{
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Dorvane")));
    writeFile(path(),
        "\xEF\xBB\xBF; hand made\r\n[Config]\r\n Host = pop.example.jp \r\nServerON=1\r\n"
        "FontName = ＭＳ Ｐゴシック\r\n\r\n# dialog\r\n[Disp]\r\nLastTime=12/06 08:00\r\n");
    IniSettingsStore store(path());
    EXPECT_EQ(store.readString("Config", "Host"), "pop.example.jp");
    EXPECT_EQ(store.readInteger("Config", "ServerON", 0), 1);
    EXPECT_EQ(store.readString("Config", "FontName"), "ＭＳ Ｐゴシック");
    EXPECT_EQ(store.readString("Disp", "LastTime"), "12/06 08:00");
    EXPECT_TRUE(store.errorText().isEmpty());
}

TEST_F(IniSettingsStoreTest, FileAndNewFolderAreForTheOwnerOnly)
{
    IniSettingsStore store(path());
    ASSERT_TRUE(store.writeString("Config", "Password", "..414243"));
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(modeOf(m_dir.filePath("Dorvane")), 0700);
}

TEST_F(IniSettingsStoreTest, ChangesByAnotherProgramArePickedUp)
{
    IniSettingsStore store(path());
    ASSERT_TRUE(store.writeString("Temp", "PelmaComm", "first"));
    EXPECT_EQ(store.readString("Temp", "PelmaComm"), "first");

    writeFile(path(), "[Temp]\nPelmaComm=changed elsewhere\n");
    EXPECT_EQ(store.readString("Temp", "PelmaComm"), "changed elsewhere");
    // A write starts from the changed file instead of overwriting it.
    ASSERT_TRUE(store.writeString("Temp", "PelmaDate", "12/06"));
    EXPECT_EQ(IniSettingsStore(path()).readString("Temp", "PelmaComm"), "changed elsewhere");

    QFile::remove(path());
    EXPECT_EQ(store.readString("Temp", "PelmaComm", "gone"), "gone");
}

TEST_F(IniSettingsStoreTest, FailedSaveKeepsTheOldFileAndTheValues)
{
    IniSettingsStore store(path());
    ASSERT_TRUE(store.writeString("Config", "Host", "old.example.jp"));
    const QByteArray before = contentOf(path());
    bool saved = true;
    {
        FileSizeLimit limit(before.size() + 10);
        saved = store.writeString("Config", "Macro", QString(1000, u'x'));
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(store.errorText().startsWith("設定ファイルを保存できません: " + path())) << store.errorText().toStdString();
    EXPECT_EQ(contentOf(path()), before);
    EXPECT_EQ(QDir(m_dir.filePath("Dorvane")).entryList(QDir::Files | QDir::Hidden), QStringList("Vesk.ini"));
    EXPECT_EQ(store.readString("Config", "Macro").size(), 1000);

    // The next save takes the kept values along.
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(IniSettingsStore(path()).readString("Config", "Macro").size(), 1000);
}

TEST_F(IniSettingsStoreTest, OversizedFileReadsAsDefaultsAndIsNotOverwritten)
{
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Dorvane")));
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("[Config]\nHost=x\n"));
        ASSERT_TRUE(file.resize(IniSettingsStore::MaxFileSize + 1));
    }
    IniSettingsStore store(path());
    EXPECT_EQ(store.readString("Config", "Host", "default"), "default");
    EXPECT_FALSE(store.errorText().isEmpty());
    EXPECT_FALSE(store.writeString("Config", "Host", "y"));
    EXPECT_EQ(QFileInfo(path()).size(), IniSettingsStore::MaxFileSize + 1);
}

} // namespace vesk::test
