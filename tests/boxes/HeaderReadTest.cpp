#include "JapaneseTestText.h"

#include "boxes/HeaderRead.h"
#include "store/japanese/SjisDecoder.h"
#include "support/CoreFixture.h"

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

const QByteArray Message = "From: " + jisWord(u"山田 太郎"_s) + " <taro@example.jp>\r\nTo: "
    + jisWord(u"鈴木 花子"_s) + " <hanako@example.jp>, jiro@example.jp (Jiro)\r\nSubject: "
    + jisWord(u"打ち合わせ"_s) + "\r\nContent-Type: multipart/mixed; boundary=\"b\"\r\n\r\nbody\r\n";

using HeaderReadTest = CoreFixture;

TEST_F(HeaderReadTest, RowsShowTheOtherPartyOwnNamesKindAndSubject)
{
    const struct
    {
        Box box;
        QByteArray content;
        QStringList cells;
    } rows[] = {
        { Box::InBox1, Message,
            { "1.ID", u"山田 太郎 <taro@example.jp>"_s, u" 鈴木 花子 ,Jiro"_s, u"＋"_s, u"打ち合わせ"_s } },
        // The out-box shows the recipients as the other party.
        { Box::OutBox,
            "VeskFrom: <taro@example.jp>\r\nVeskTo: <hanako@example.jp>\r\nReceived: from x\r\n" + Message,
            { "1.ID", u"鈴木 花子 <hanako@example.jp>, jiro@example.jp (Jiro)"_s, u" 山田 太郎"_s, u"＋"_s,
                u"打ち合わせ"_s } },
        // Undecodable bytes still give a row.
        { Box::InBox, "Subject: \x82\xA0\x80\xFD tail\r\nFrom: \x1b$B\r\n\r\n",
            { "1.ID", "", " ", "", u"あ\uFFFD\uFFFD tail"_s } },
    };
    for (const auto &row : rows) {
        put(row.box, "1.ID", row.content);
        const QList<BoxListRow> read = HeaderRead(m_store, row.box);
        ASSERT_EQ(read.size(), 1);
        EXPECT_EQ(read[0].cells(), row.cells);
    }
}

TEST_F(HeaderReadTest, RowsInListingOrderAndAnEmptyOrMissingBoxGivesOneEmptyRow)
{
    for (const char *name : { "202612052033101231.ID", "202612052033101230.ID", "202612040000000000.ID" })
        put(Box::InBox, name, "Subject: " + QByteArray(name).mid(14, 4) + "\r\n\r\n");
    put(Box::InBox2, "note.txt", "Subject: x\r\n\r\n");
    const QList<BoxListRow> rows = HeaderRead(m_store, u"stgReceive");
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

TEST(StgToDir, GridNamesToBoxes)
{
    EXPECT_EQ(StgToDir(u"stgSend"), Box::OutBox);
    EXPECT_EQ(StgToDir(u"stgReceive"), Box::InBox);
    EXPECT_EQ(StgToDir(u"stgReceive1"), Box::InBox1);
    EXPECT_EQ(StgToDir(u"stgReceive2"), Box::InBox2);
    EXPECT_EQ(StgToDir(u"stgReceive3"), std::nullopt);
    EXPECT_TRUE(HeaderRead(MessageStore(u"/nonexistent"_s), u"stgOther").isEmpty());
}

} // namespace
} // namespace vesk::test
