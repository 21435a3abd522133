#include "JapaneseTestText.h"

#include "boxes/BoxListCommand.h"
#include "store/MessageStore.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::jisWord;
using namespace Qt::StringLiterals;

class BoxListCommandTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void put(Box box, const QString &name, const QByteArray &content)
    {
        const MessageStore store(m_dir.path());
        ASSERT_TRUE(QDir().mkpath(store.folderPath(box)));
        QFile file(store.filePath(box, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    int run(const QStringList &boxes, const QString &dataDir = {})
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out);
        QTextStream err(&m_err);
        const int status = runListCommand(dataDir.isEmpty() ? m_dir.path() : dataDir, boxes, out, err);
        out.flush();
        err.flush();
        return status;
    }

    QTemporaryDir m_dir;
    QString m_out;
    QString m_err;
};

TEST_F(BoxListCommandTest, OneBoxPrintsItsRowsTabSeparated)
{
    put(Box::InBox, u"202612052033101230.ID"_s,
        "From: " + jisWord(u"山田"_s) + " <y@example.jp>\r\nTo: Me <me@example.jp>\r\nSubject: "
            + jisWord(u"件名"_s) + "\r\nContent-Type: text/html\r\n\r\n");
    put(Box::InBox, u"202612052033101231.ID"_s, "Subject: second\r\n\r\n");
    EXPECT_EQ(run({ u"InBox"_s }), 0);
    EXPECT_EQ(m_out,
        u"202612052033101230.ID\t山田 <y@example.jp>\t Me\t☆\t件名\n"
        "202612052033101231.ID\t\t \t\tsecond\n"_s);
    EXPECT_TRUE(m_err.isEmpty());
}

TEST_F(BoxListCommandTest, AllBoxesInTheOrderOfTheBoxWindow)
{
    put(Box::OutBox, u"1.ID"_s,
        "VeskFrom: <me@example.jp>\r\nVeskTo: <you@example.jp>\r\nTo: You <you@example.jp>\r\n\r\n");
    put(Box::InBox2, u"2.ID"_s, "Subject: two\r\n\r\n");
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(m_out,
        u"[OutBox]\n1.ID\tYou <you@example.jp>\t \t\t\n[InBox]\n[InBox1]\n[InBox2]\n2.ID\t\t \t\ttwo\n"_s);
}

TEST_F(BoxListCommandTest, MissingDataFolderPrintsNoRows)
{
    EXPECT_EQ(run({}, m_dir.filePath(u"none"_s)), 0);
    EXPECT_EQ(m_out, u"[OutBox]\n[InBox]\n[InBox1]\n[InBox2]\n"_s);
    EXPECT_EQ(run({ u"InBox1"_s }, m_dir.filePath(u"none"_s)), 0);
    EXPECT_TRUE(m_out.isEmpty());
}

TEST_F(BoxListCommandTest, ControlCharactersInCellsBecomeSpaces)
{
    put(Box::InBox, u"1.ID"_s,
        "Subject: a\r\n\tb\x0b"
        "c\r\n\r\n");
    EXPECT_EQ(run({ u"inbox"_s }), 0); // box names in any case
    EXPECT_EQ(m_out, u"1.ID\t\t \t\ta b c\n"_s);
}

TEST_F(BoxListCommandTest, UnknownBoxIsAnError)
{
    EXPECT_EQ(run({ u"Trash"_s }), 2);
    EXPECT_TRUE(m_out.isEmpty());
    EXPECT_TRUE(m_err.contains(u"不明な箱です: Trash"_s)) << m_err.toStdString();
    EXPECT_EQ(run({ u"InBox"_s, u"OutBox"_s }), 2);
    EXPECT_FALSE(m_err.isEmpty());
}

// The option as the program takes it, on a data folder found the usual way.
TEST_F(BoxListCommandTest, CommandLineOfTheProgram)
{
    const QString program = test::binaryDir() + u"/src/vesk"_s;
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "the vesk program is not built";
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(u"Dorvane/Vesk/InBox"_s)));
    QFile file(m_dir.filePath(u"Dorvane/Vesk/InBox/1.ID"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Subject: " + jisWord(u"件名"_s) + "\r\n\r\n");
    file.close();

    const auto run = [&](const QStringList &arguments, QByteArray *out) {
        QProcess vesk;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_DATA_HOME"_s, m_dir.path());
        vesk.setProcessEnvironment(env);
        vesk.start(program, arguments);
        EXPECT_TRUE(vesk.waitForFinished(30000));
        *out = vesk.readAllStandardOutput();
        return vesk.exitCode();
    };
    QByteArray out;
    EXPECT_EQ(run({ u"--list"_s, u"InBox"_s }, &out), 0);
    EXPECT_EQ(QString::fromUtf8(out), u"1.ID\t\t \t\t件名\n"_s);
    EXPECT_EQ(run({ u"--list"_s }, &out), 0);
    EXPECT_EQ(QString::fromUtf8(out), u"[OutBox]\n[InBox]\n1.ID\t\t \t\t件名\n[InBox1]\n[InBox2]\n"_s);
    EXPECT_EQ(run({ u"--list"_s, u"Nowhere"_s }, &out), 2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(run({ u"InBox"_s }, &out), 2);
}

} // namespace
} // namespace vesk
