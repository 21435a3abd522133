#include "dialup/SelectorLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

enum class Setup { None, Good, GroupWritable, NotALibrary, LinkToPrivateFolder, LinkToOpenFolder, LinkBelowOpenFolder };

struct Case
{
    const char *name;
    Setup setup;
    const char *mode;
    bool opens;
    const char *why; // part of the message; empty: none
    const char *ap; // what a dial gets; nullptr: nothing
};

void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

class SelectorLibraryTest : public ::testing::TestWithParam<Case>
{ };

TEST_P(SelectorLibraryTest, LoadsOnlyAPrivateLibraryAndReadsItsBuffersSafely)
{
    const Case &c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SelAp.so"));
    if (c.setup == Setup::NotALibrary) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a library\n");
    } else if (c.setup == Setup::LinkToPrivateFolder || c.setup == Setup::LinkToOpenFolder
        || c.setup == Setup::LinkBelowOpenFolder) {
        // The link is the user's own; what counts is where it points. Below a
        // folder others can write, a private folder can be swapped for theirs.
        const QString open = dir.filePath(QStringLiteral("open"));
        const QString folder = c.setup == Setup::LinkBelowOpenFolder ? open + QStringLiteral("/private")
                                                                     : dir.filePath(QStringLiteral("elsewhere"));
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile::setPermissions(open, QFile::permissions(open) | QFile::WriteOther | QFile::ExeOther);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESK_SELAP_STUB), folder + QStringLiteral("/SelAp.so")));
        if (c.setup == Setup::LinkToOpenFolder)
            QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteOther | QFile::ExeOther);
        ASSERT_TRUE(QFile::link(folder + QStringLiteral("/SelAp.so"), path));
    } else if (c.setup != Setup::None) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESK_SELAP_STUB), path));
    }
    if (c.setup == Setup::GroupWritable)
        QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteGroup);
    qputenv("SELAP_STUB_MODE", c.mode);

    SelectorLibrary selector(path);
    QString why;
    EXPECT_EQ(selector.open(&why), c.opens);
    if (*c.why)
        EXPECT_TRUE(why.contains(QString::fromUtf8(c.why))) << why.toStdString();
    else
        EXPECT_TRUE(why.isEmpty()) << why.toStdString();

    const std::optional<AccessPointChoice> choice = selector.choose();
    ASSERT_EQ(choice.has_value(), c.ap != nullptr);
    if (!choice)
        return;
    EXPECT_EQ(choice->ap, QString::fromUtf8(c.ap));
    if (QByteArray(c.mode) == "long") {
        EXPECT_EQ(choice->title.size(), SelectorLibrary::BufferSize);
        EXPECT_FALSE(choice->apop);
    } else {
        EXPECT_EQ(choice->title, QStringLiteral("会社"));
        EXPECT_EQ(choice->host, QStringLiteral("pop.office.example"));
        EXPECT_EQ(choice->password, QStringLiteral("p@ss word"));
        EXPECT_TRUE(choice->apop);
    }
}

const std::string LongAp(SelectorLibrary::BufferSize, 'x');

INSTANTIATE_TEST_SUITE_P(Cases, SelectorLibraryTest,
    ::testing::Values(
        Case { "NoneThere", Setup::None, "", false, "", nullptr },
        Case { "OthersCouldChangeIt", Setup::GroupWritable, "", false, "他のユーザー", nullptr },
        Case { "NotALibrary", Setup::NotALibrary, "", false, "読み込めません", nullptr },
        Case { "LinkIntoAFolderOthersCanWrite", Setup::LinkToOpenFolder, "", false, "他のユーザー", nullptr },
        Case { "LinkIntoAPrivateFolder", Setup::LinkToPrivateFolder, "", true, "", "Office" },
        Case { "LinkBelowAFolderOthersCanWrite", Setup::LinkBelowOpenFolder, "", false, "他のユーザー", nullptr },
        Case { "Chosen", Setup::Good, "", true, "", "Office" },
        Case { "GivenUp", Setup::Good, "cancel", true, "", nullptr },
        Case { "UnterminatedBuffers", Setup::Good, "long", true, "", LongAp.c_str() }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vesk::test
