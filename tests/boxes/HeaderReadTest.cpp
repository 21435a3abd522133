#include "JapaneseTestText.h"

#include "boxes/HeaderRead.h"
#include "store/MessageStore.h"
#include "store/japanese/SjisDecoder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::jisWord;
using namespace Qt::StringLiterals;

class HeaderReadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        for (Box box : { Box::InBox, Box::InBox1, Box::InBox2, Box::OutBox })
            ASSERT_TRUE(QDir().mkpath(m_store.folderPath(box)));
    }

    void put(Box box, const QString &name, const QByteArray &content)
    {
        QFile file(m_store.filePath(box, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir m_dir;
    MessageStore m_store { m_dir.path() };
};

const QByteArray kMessage = "From: " + jisWord(u"山田 太郎"_s) + " <taro@example.jp>\r\n"
    + "To: " + jisWord(u"鈴木 花子"_s) + " <hanako@example.jp>, jiro@example.jp (Jiro)\r\n" + "Subject: "
    + jisWord(u"打ち合わせ"_s) + "\r\n" + "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\nbody\r\n";

TEST_F(HeaderReadTest, ReceiveBoxShowsSenderAndOwnNames)
{
    put(Box::InBox1, u"202612052033101230.ID"_s, kMessage);
    const QList<BoxListRow> rows = HeaderRead(m_store, Box::InBox1);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].cells(),
        (QStringList { u"202612052033101230.ID"_s, u"山田 太郎 <taro@example.jp>"_s, u" 鈴木 花子 ,Jiro"_s,
            u"＋"_s, u"打ち合わせ"_s }));
}

TEST_F(HeaderReadTest, OutBoxSwapsToAndFrom)
{
    put(Box::OutBox, u"202612052033101230.ID"_s,
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <hanako@example.jp>\r\nReceived: from localhost\r\n"
            + kMessage);
    const QList<BoxListRow> rows = HeaderRead(m_store, u"stgSend");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].otherParty, u"鈴木 花子 <hanako@example.jp>, jiro@example.jp (Jiro)"_s);
    EXPECT_EQ(rows[0].ownName, u" 山田 太郎"_s);
    EXPECT_EQ(rows[0].subject, u"打ち合わせ"_s);
}

TEST_F(HeaderReadTest, EmptyOrMissingBoxGivesOneEmptyRow)
{
    const QList<BoxListRow> rows = HeaderRead(m_store, Box::InBox2);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].cells(), QStringList(5, QString()));
    EXPECT_TRUE(rows[0].isEmpty());
    // Files without the extension are no messages.
    put(Box::InBox2, u"note.txt"_s, "Subject: x\r\n\r\n");
    EXPECT_EQ(HeaderRead(m_store, Box::InBox2).size(), 1);
    const MessageStore nowhere(m_dir.filePath(u"none"_s));
    EXPECT_EQ(HeaderRead(nowhere, Box::InBox), QList<BoxListRow> { BoxListRow {} });
}

TEST_F(HeaderReadTest, RowsInListingOrder)
{
    put(Box::InBox, u"202612052033101231.ID"_s, "Subject: second\r\n\r\n");
    put(Box::InBox, u"202612052033101230.ID"_s, "Subject: first\r\n\r\n");
    put(Box::InBox, u"202612040000000000.ID"_s, "Subject: zeroth\r\n\r\n");
    const QList<BoxListRow> rows = HeaderRead(m_store, u"stgReceive");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].subject, u"zeroth"_s);
    EXPECT_EQ(rows[1].subject, u"first"_s);
    EXPECT_EQ(rows[2].subject, u"second"_s);
}

TEST_F(HeaderReadTest, VanishedFileGivesItsNameOnly)
{
    SjisDecoder decoder;
    const BoxListRow row = HeaderRow(m_store, Box::InBox, u"202612052033101230.ID"_s, decoder);
    EXPECT_EQ(
        row.cells(), (QStringList { u"202612052033101230.ID"_s, QString(), u" "_s, QString(), QString() }));
}

TEST_F(HeaderReadTest, UndecodableBytesStillGiveARow)
{
    put(Box::InBox, u"1.ID"_s, "Subject: \x82\xA0\x80\xFD tail\r\nFrom: \x1b$B\r\n\r\n");
    const QList<BoxListRow> rows = HeaderRead(m_store, Box::InBox);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].subject, u"あ\uFFFD\uFFFD tail"_s);
    EXPECT_EQ(rows[0].otherParty, QString());
}

TEST(StgToDir, GridNamesToBoxes)
{
    EXPECT_EQ(StgToDir(u"stgSend"), Box::OutBox);
    EXPECT_EQ(StgToDir(u"stgReceive"), Box::InBox);
    EXPECT_EQ(StgToDir(u"stgReceive1"), Box::InBox1);
    EXPECT_EQ(StgToDir(u"stgReceive2"), Box::InBox2);
    EXPECT_EQ(StgToDir(u"stgReceive3"), std::nullopt);
    EXPECT_EQ(StgToDir(u""), std::nullopt);
    const MessageStore store(u"/nonexistent"_s);
    EXPECT_TRUE(HeaderRead(store, u"stgOther").isEmpty());
}

} // namespace
} // namespace vesk
