#include "platform/DurableFile.h"
#include "support/FileSizeLimit.h"
#include "support/Printers.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

// Readable names for the test list.
void PrintTo(DurableFile::Existing existing, std::ostream *out)
{
    *out << (existing == DurableFile::Existing::Keep ? "Keep" : "Replace");
}

namespace test {
namespace {

using Existing = DurableFile::Existing;

int modeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

class DurableFileTest : public ::testing::TestWithParam<Existing>
{
protected:
    QString path(const QString &name = "f") const { return m_dir.filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    void put(const QString &name, const QByteArray &content, int mode = 0644)
    {
        ASSERT_TRUE(writeFile(path(name), content));
        ASSERT_EQ(::chmod(QFile::encodeName(path(name)).constData(), mode_t(mode)), 0);
    }

    QTemporaryDir m_dir;
};

INSTANTIATE_TEST_SUITE_P(Modes, DurableFileTest, ::testing::Values(Existing::Keep, Existing::Replace),
    [](const auto &info) { return std::string(info.param == Existing::Keep ? "Keep" : "Replace"); });

TEST_P(DurableFileTest, NewFileIsWholeAndForTheOwnerOnlyWhateverTheUmask)
{
    const mode_t saved = ::umask(0);
    const DurableFile::Result result = DurableFile::write(path(), "content\r\n", GetParam());
    ::umask(saved);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(fileBytes(path()), "content\r\n");
    EXPECT_EQ(modeOf(path()), 0600);
    EXPECT_EQ(entries(), QStringList { "f" });
}

// A full disk: the write stops part way.
TEST_P(DurableFileTest, DiskFullLeavesWhatWasThere)
{
    put("f", "old");
    const QByteArray big(64 * 1024, 'm');
    std::optional<FileSizeLimit> limit(4096);
    const DurableFile::Result replaced = DurableFile::write(path(), big, GetParam());
    const DurableFile::Result fresh = DurableFile::write(path("g"), big, GetParam());
    limit.reset();
    EXPECT_FALSE(replaced.ok());
    EXPECT_TRUE(fresh.error.contains(path(".tmp-g.part"))) << fresh.error.toStdString();
    EXPECT_EQ(fileBytes(path()), "old");
    EXPECT_EQ(entries(), QStringList { "f" });
    ASSERT_TRUE(DurableFile::write(path("g"), big, GetParam()).ok());
    EXPECT_EQ(fileBytes(path("g")), big);
}

TEST_P(DurableFileTest, ReadOnlyFolderFailsAndLeavesWhatWasThere)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    put("f", "old");
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const DurableFile::Result result = DurableFile::write(path(), "new", GetParam());
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.code, EACCES);
    EXPECT_EQ(fileBytes(path()), "old");
    EXPECT_EQ(entries(), QStringList { "f" });
}

TEST_P(DurableFileTest, AnExistingFileIsReplacedOnlyWhenAskedAndThenMadePrivate)
{
    put("f", "old", 0644);
    const DurableFile::Result result = DurableFile::write(path(), "new", GetParam());
    if (GetParam() == Existing::Keep) {
        EXPECT_EQ(result.code, EEXIST);
        EXPECT_TRUE(result.error.contains(path())) << result.error.toStdString();
        EXPECT_EQ(fileBytes(path()), "old");
    } else {
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(fileBytes(path()), "new");
        EXPECT_EQ(modeOf(path()), 0600);
    }
    EXPECT_EQ(entries(), QStringList { "f" });
}

TEST(DurableFile, ReplaceWritesThroughALinkAndRefusesAReadOnlyFile)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("real.ini");
    const QString link = dir.filePath("link.ini");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(DurableFile::write(link, "first", Existing::Replace).ok());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(target), "first");

    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes read-only files";
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0400), 0);
    const DurableFile::Result refused = DurableFile::write(link, "second", Existing::Replace);
    EXPECT_EQ(refused.code, EACCES);
    EXPECT_EQ(fileBytes(target), "first");
}

TEST(DurableFile, AppendLineMakesAPrivateFileAndAddsToIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("journal");
    const mode_t saved = ::umask(0);
    const bool first = DurableFile::appendLine(path, "one").ok();
    ::umask(saved);
    ASSERT_TRUE(first);
    ASSERT_TRUE(DurableFile::appendLine(path, "two").ok());
    EXPECT_EQ(fileBytes(path), "one\ntwo\n");
    EXPECT_EQ(modeOf(path), 0600);
    EXPECT_FALSE(DurableFile::appendLine(dir.filePath("none/journal"), "x").ok());
}

} // namespace
} // namespace test
} // namespace vesk
