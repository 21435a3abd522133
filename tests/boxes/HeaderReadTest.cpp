#include "boxes/HeaderRead.h"
#include "store/japanese/SjisDecoder.h"
#include "support/CoreFixture.h"

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

} // namespace
} // namespace vesk::test
