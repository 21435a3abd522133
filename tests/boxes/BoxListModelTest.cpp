#include "BoxFixture.h"

#include "boxes/BoxListModel.h"

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

class BoxListModelTest : public BoxFixture
{
protected:
    BoxListModel model { m_store, Grid::Receive };

    QStringList names() const { return model.fileNames(); }
    QStringList subjects() const
    {
        QStringList out;
        for (int row = 0; row < model.messageCount(); ++row)
            out << model.cell(row, 4);
        return out;
    }
};

TEST_F(BoxListModelTest, EmptyBoxShowsOneBlankRowThatTheFirstRowAddFills)
{
    model.refill();
    ASSERT_EQ(model.rowCount(), 1);
    for (int column = 0; column < BoxListModel::ColumnCount; ++column)
        EXPECT_EQ(model.data(model.index(0, column)).toString(), "");

    put(Box::InBox, u"20261206080000001.ID"_s, mail(u"山田"_s, u"一"_s));
    put(Box::InBox, u"20261206080000002.ID"_s, mail(u"鈴木"_s, u"二"_s));
    EXPECT_TRUE(model.rowAdd(u"20261206080000001.ID"_s));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.cell(0, 4), u"一"_s);
    EXPECT_TRUE(model.rowAdd(u"20261206080000002.ID"_s));
    EXPECT_FALSE(model.rowAdd(u"20261206080000002.ID"_s)) << "listed twice";
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(subjects(), (QStringList { u"一"_s, u"二"_s }));
}

TEST_F(BoxListModelTest, RowDelOfTheLastRowsLeavesOneBlankRow)
{
    for (int i = 1; i <= 3; ++i)
        put(Box::InBox, u"2026120608000000%1.ID"_s.arg(i), mail(u"相手"_s, QString::number(i)));
    model.refill();
    model.rowDel(1, 1);
    EXPECT_EQ(names(), (QStringList { u"20261206080000001.ID"_s, u"20261206080000003.ID"_s }));
    model.rowDel(0, 1);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_TRUE(model.isEmptyList());
    EXPECT_EQ(model.cell(0, 0), "");
}

TEST_F(BoxListModelTest, SortIsStableByUpperCasedShiftJisKeysAndMarksOneTitle)
{
    // Shift_JIS puts "Ａ" (82 60) before "あ" (82 A0); Unicode the other way.
    const QStringList senders { u"b"_s, u"あ"_s, u"A"_s, u"Ａ"_s, u"B"_s };
    for (int i = 0; i < senders.size(); ++i)
        put(Box::InBox, u"2026120608000000%1.ID"_s.arg(i), mail(senders[i], QString::number(i)));
    model.refill();

    model.sort(1);
    EXPECT_EQ(subjects(), (QStringList { u"2"_s, u"0"_s, u"4"_s, u"3"_s, u"1"_s }))
        << "b and B are equal keys and keep their order";
    EXPECT_EQ(model.title(1), u"［受］相手 ∇"_s);
    model.sort(1);
    EXPECT_EQ(subjects(), (QStringList { u"2"_s, u"0"_s, u"4"_s, u"3"_s, u"1"_s }));

    model.sort(0);
    EXPECT_EQ(subjects(), (QStringList { u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s }));
    for (int column = 1; column < BoxListModel::ColumnCount; ++column)
        EXPECT_FALSE(model.title(column).contains(BoxListModel::SortMark));
    EXPECT_EQ(model.title(0), u"ID ∇"_s);

    model.refill();
    EXPECT_EQ(model.sortColumn(), -1) << "a refilled list is in arrival order";
}

TEST_F(BoxListModelTest, SortingOneRowChangesOnlyTheMark)
{
    put(Box::InBox, u"20261206080000001.ID"_s, mail(u"相手"_s, u"件"_s));
    model.refill();
    model.sort(4);
    EXPECT_EQ(model.cell(0, 4), u"件"_s);
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), u"件名 ∇"_s);
}

TEST_F(BoxListModelTest, HeadersAreReadOnlyWhenWantedAndOnlyOnce)
{
    for (int i = 0; i < 5; ++i)
        put(Box::InBox, u"2026120608000000%1.ID"_s.arg(i), mail(u"相手"_s, QString::number(i)));
    model.refill();
    EXPECT_EQ(model.unreadCount(), 5);
    EXPECT_EQ(model.cell(3, 4), u"3"_s);
    EXPECT_EQ(model.unreadCount(), 4);
    EXPECT_TRUE(model.readSome(2));
    EXPECT_EQ(model.unreadCount(), 2);
    EXPECT_FALSE(model.readSome(10));

    put(Box::InBox, u"20261206080000009.ID"_s, mail(u"相手"_s, u"9"_s));
    model.refill();
    EXPECT_EQ(model.unreadCount(), 1) << "a refill reads only new files";
}

TEST_F(BoxListModelTest, SyncFollowsTheFolderAndKeepsTheOrder)
{
    for (int i = 0; i < 3; ++i)
        put(Box::InBox, u"2026120608000000%1.ID"_s.arg(i), mail(u"相手"_s, QString::number(2 - i)));
    model.refill();
    model.sort(4);
    ASSERT_TRUE(QFile::remove(m_store.filePath(Box::InBox, u"20261206080000001.ID"_s)));
    put(Box::InBox, u"20261206080000005.ID"_s, mail(u"相手"_s, u"0"_s));
    model.sync();
    EXPECT_EQ(names(),
        (QStringList { u"20261206080000002.ID"_s, u"20261206080000000.ID"_s, u"20261206080000005.ID"_s }));
}

} // namespace
} // namespace vesk::test
