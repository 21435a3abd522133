#include "JapaneseTestText.h"

#include "boxes/BoxListCommand.h"
#include "boxes/HeaderRead.h"
#include "store/japanese/SjisDecoder.h"
#include "support/CoreFixture.h"
#include "support/RunProgram.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"

#include <QFileInfo>

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

using HeaderReadTest = CoreFixture;

// What the rows show of well-formed mail is checked against Python's decoding
// (PythonCrossCheckTest); here, what no mailer should send.
TEST_F(HeaderReadTest, UndecodableBytesStillGiveARow)
{
    put(Box::InBox, "1.ID", "Subject: \x82\xA0\x80\xFD tail\r\nFrom: \x1b$B\r\n\r\n");
    EXPECT_EQ(HeaderRead(m_store, Box::InBox).value(0).cells(),
        (QStringList { "1.ID", "", " ", "", u"あ\uFFFD\uFFFD tail"_s }));
}

TEST_F(HeaderReadTest, RowsInListingOrderAndAnEmptyOrMissingBoxGivesOneEmptyRow)
{
    for (const char *name : { "202612052033101231.ID", "202612052033101230.ID", "202612040000000000.ID" })
        put(Box::InBox, name, "Subject: " + QByteArray(name).mid(14, 4) + "\r\n\r\n");
    put(Box::InBox2, "note.txt", "Subject: x\r\n\r\n");
    const QList<BoxListRow> rows = HeaderRead(m_store, Box::InBox);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ((QStringList { rows[0].subject, rows[1].subject, rows[2].subject }),
        (QStringList { "0000", "1230", "1231" }));
    EXPECT_EQ(rows[0].fileName, "202612040000000000.ID");
    EXPECT_EQ(HeaderRead(m_store, Box::InBox2), QList<BoxListRow> { BoxListRow {} });
    EXPECT_EQ(
        HeaderRead(MessageStore(m_dir.filePath("none")), Box::InBox), QList<BoxListRow> { BoxListRow {} });
    SjisDecoder decoder;
    EXPECT_EQ(HeaderRow(m_store, Box::InBox, "vanished.ID", decoder).cells(),
        (QStringList { "vanished.ID", "", " ", "", "" }));
}

class BoxListCommandTest : public CoreFixture
{
protected:
    QString run(const QStringList &boxes, int status = 0, const QString &dataDir = {})
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        EXPECT_EQ(
            runListCommand(dataDir.isEmpty() ? m_dir.path() : dataDir, boxes, outStream, errStream), status);
        outStream.flush();
        errStream.flush();
        return status == 0 ? out : err + u'|' + out;
    }
};

TEST_F(BoxListCommandTest, BoxesPrintTheirRowsTabSeparatedInTheOrderOfTheBoxWindow)
{
    put(Box::InBox, "202612052033101230.ID",
        "From: " + jisWord(u"山田"_s) + " <y@example.jp>\r\nTo: Me <me@example.jp>\r\nSubject: "
            + jisWord(u"件名"_s) + "\r\nContent-Type: text/html\r\n\r\n");
    put(Box::InBox, "202612052033101231.ID",
        "Subject: a\r\n\tb\x0b"
        "c\r\n\r\n"); // control characters become spaces
    put(Box::OutBox, "1.ID",
        "VeskFrom: <me@example.jp>\r\nVeskTo: <you@example.jp>\r\nTo: You <you@example.jp>\r\n\r\n");
    const QString inBox = u"202612052033101230.ID\t山田 <y@example.jp>\t Me\t☆\t件名\n"
                          "202612052033101231.ID\t\t \t\ta b c\n"_s;
    EXPECT_EQ(run({ "inbox" }), inBox); // box names in any case
    EXPECT_EQ(
        run({}), "[OutBox]\n1.ID\tYou <you@example.jp>\t \t\t\n[InBox]\n" + inBox + "[InBox1]\n[InBox2]\n");
    EXPECT_EQ(run({}, 0, m_dir.filePath("none")), "[OutBox]\n[InBox]\n[InBox1]\n[InBox2]\n");
    EXPECT_EQ(run({ "InBox1" }, 0, m_dir.filePath("none")), "");
}

TEST_F(BoxListCommandTest, AnUnknownBoxOrMoreThanOneIsAnError)
{
    EXPECT_TRUE(run({ "Trash" }, 2).startsWith(u"不明な箱です: Trash"_s));
    EXPECT_TRUE(run({ "Trash" }, 2).endsWith(u'|'));
    EXPECT_NE(run({ "InBox", "OutBox" }, 2), "|");
}

// The option as the program takes it, on a data folder found the usual way.
TEST(BoxListProgram, ListOptionOfTheProgram)
{
    const QString program = binaryDir() + u"/src/vesk"_s;
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "the vesk program is not built";
    QTemporaryDir dir;
    const MessageStore store(dir.filePath("Dorvane/Vesk"));
    ASSERT_TRUE(writeFile(store.filePath(Box::InBox, "1.ID"), "Subject: " + jisWord(u"件名"_s) + "\r\n\r\n"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dir.path());
    const auto run = [&](const QStringList &arguments, int status) {
        const ProgramResult result = runProgram(program, arguments, env);
        EXPECT_EQ(result.exitCode, status) << arguments.join(' ').toStdString();
        return QString::fromUtf8(result.out);
    };
    EXPECT_EQ(run({ "--list", "InBox" }, 0), u"1.ID\t\t \t\t件名\n"_s);
    EXPECT_EQ(run({ "--list" }, 0), u"[OutBox]\n[InBox]\n1.ID\t\t \t\t件名\n[InBox1]\n[InBox2]\n"_s);
    EXPECT_EQ(run({ "--list", "Nowhere" }, 2), "");
    run({ "InBox" }, 2);
}

} // namespace
} // namespace vesk::test
