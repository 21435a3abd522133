#include "plan/PlanEditorModel.h"
#include "support/FakeClock.h"
#include "support/MemorySettingsStore.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {

using namespace Qt::StringLiterals;
using Page = PlanEditorModel::Page;

class PlanEditor : public ::testing::Test
{
protected:
    // Thursday 2026/12/10 09:00.
    PlanEditor()
        : clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)))
    { }

    PlanEditorModel &open(QDate reference = QDate(2026, 12, 10))
    {
        model = std::make_unique<PlanEditorModel>(store, messenger, clock, reference);
        return *model;
    }
    // Composes an entry on the current page and adds it.
    bool add(int mode, const char *day, const char *hour, const char *comment, int weekday = 0)
    {
        PlanEditorModel::Inputs in = model->inputs();
        if (mode != 0)
            model->modeChanged(mode);
        in = model->inputs();
        in.day = QString::fromLatin1(day);
        in.hour = QString::fromLatin1(hour);
        in.comment = QString::fromUtf8(comment);
        in.weekday = weekday;
        model->setInputs(in);
        return model->add();
    }
    QString last(Page page) const { return model->list(page).last(); }

    MemorySettingsStore store;
    RecordingMessenger messenger;
    FakeClock clock;
    std::unique_ptr<PlanEditorModel> model;
};

TEST_F(PlanEditor, PlansOfTheSameMinuteGetTheLowestFreeRank)
{
    PlanEditorModel &m = open();
    ASSERT_TRUE(add(0, "11", "08", "一"));
    ASSERT_TRUE(add(0, "11", "08", "二"));
    EXPECT_EQ(m.list(Page::One),
        (QStringList { "2026/12/11 08:00 00  0  0  一", "2026/12/11 08:00 01  0  0  二" }));
    m.select(Page::One, 0);
    m.erase(Page::One);
    ASSERT_TRUE(add(0, "11", "08", "三"));
    EXPECT_EQ(last(Page::One), "2026/12/11 08:00 00  0  0  三");
}

TEST_F(PlanEditor, ClosingWithUnsavedPlansAsksAndTheCommentOutlivesAPageChange)
{
    PlanEditorModel &m = open();
    EXPECT_TRUE(m.mayDiscard());
    EXPECT_TRUE(messenger.questions.isEmpty()) << "nothing to lose, nothing asked";
    ASSERT_TRUE(add(0, "11", "08", "歯医者"));
    messenger.answer = Messenger::Answer::No;
    EXPECT_FALSE(m.mayDiscard());
    messenger.answer = Messenger::Answer::Yes;
    EXPECT_TRUE(m.mayDiscard());

    PlanEditorModel::Inputs in = m.inputs();
    in.comment = u"会議"_s;
    m.setInputs(in);
    m.showEvery();
    m.showOne();
    EXPECT_EQ(m.inputs().comment, u"会議"_s);
}

TEST_F(PlanEditor, ListColumnsNameTheModeAndTheWeekdayAsTheInputsDo)
{
    EXPECT_EQ(PlanEditorModel::columns(u"2026/12/11 08:00 00  0  0  一"_s),
        (QStringList { u"2026/12/11"_s, u"08:00"_s, u"1"_s, QString(), QString(), u"一"_s }));
    EXPECT_EQ(PlanEditorModel::columns(u"2026/12/15 07:30 01  3  3  燃えるゴミの日"_s),
        (QStringList { u"2026/12/15"_s, u"07:30"_s, u"2"_s, u"3-毎週連絡する曜日"_s, u"3-火曜日"_s,
            u"燃えるゴミの日"_s }));
}

TEST_F(PlanEditor, FirstDueTimesByMode)
{
    PlanEditorModel &m = open();
    m.showEvery();
    // Weekly for Monday, entered on a Thursday: the coming Monday.
    ASSERT_TRUE(add(3, "10", "08", "週", 2));
    EXPECT_TRUE(last(Page::Every).startsWith("2026/12/14 08:00 00  3  2"));
    // Yearly for today 08:00, already past: next year.
    ASSERT_TRUE(add(1, "10", "08", "年"));
    EXPECT_TRUE(last(Page::Every).startsWith("2027/12/10 08:00 00  1"));
    // Daily: tomorrow once today's time has passed; a time typed short is
    // zero-padded.
    ASSERT_TRUE(add(4, "10", "8", "日"));
    EXPECT_TRUE(last(Page::Every).startsWith("2026/12/11 08:00 00  4"));
    // Monthly for the 31st after this month's: the next month keeps the day.
    clock.set(QDateTime(QDate(2027, 1, 31), QTime(9, 0)));
    open(QDate(2027, 1, 31)).showEvery();
    messenger.answer = Messenger::Answer::Yes;
    ASSERT_TRUE(add(2, "31", "08", "月"));
    EXPECT_TRUE(last(Page::Every).startsWith("2027/02/31 08:00 00  2"));
    // Weekly for today's weekday, after its time: a week later.
    clock.set(QDateTime(QDate(2026, 12, 14), QTime(9, 0))); // Monday
    open(QDate(2026, 12, 14)).showEvery();
    ASSERT_TRUE(add(3, "14", "08", "週", 2));
    EXPECT_TRUE(last(Page::Every).startsWith("2026/12/21 08:00"));
}

TEST_F(PlanEditor, OneOffInThePastIsRefusedTheSameMinuteIsNot)
{
    PlanEditorModel &m = open();
    EXPECT_FALSE(add(0, "10", "08", "過去"));
    EXPECT_EQ(messenger.messages, QStringList { "現在日付時間の方が後に来ます" });
    EXPECT_TRUE(m.changed());
    EXPECT_TRUE(m.list(Page::One).isEmpty());
    PlanEditorModel::Inputs in = m.inputs();
    in.hour = "09";
    in.comment = "今";
    m.setInputs(in);
    EXPECT_TRUE(m.add());
}

TEST_F(PlanEditor, DayRemarksAskBeforeAdding)
{
    PlanEditorModel &m = open();
    m.showEvery();
    messenger.answer = Messenger::Answer::No;
    EXPECT_FALSE(add(2, "31", "08", "月末"));
    EXPECT_EQ(messenger.questions,
        QStringList {
            "31日は、１・３・５・７・８・１０・１２月しか連絡できません\r\nこのまま追加しますか？" });
    EXPECT_FALSE(m.changed());
    messenger.answer = Messenger::Answer::Yes;
    EXPECT_TRUE(add(2, "31", "08", "月末"));
    // A one-off February 31 is asked about too.
    m.showOne();
    PlanEditorModel::Inputs in = m.inputs();
    in.year = "2027";
    in.month = "02";
    m.setInputs(in);
    messenger.questions.clear();
    messenger.answer = Messenger::Answer::No;
    EXPECT_FALSE(add(0, "31", "08", "無い日"));
    EXPECT_EQ(messenger.questions, QStringList { "02月31日は存在しません\r\nこのまま追加しますか？" });
}

TEST_F(PlanEditor, SavingUnchangedAsksFirstAndDropsUnknownModes)
{
    store.writeString("Plan", "2026/12/20 08:00 00", "0 0 残る");
    store.writeString("Plan", "2026/12/20 08:00 01", "7 0 消える");
    PlanEditorModel &m = open();
    EXPECT_EQ(m.list(Page::One).size(), 1);
    EXPECT_TRUE(m.list(Page::Every).isEmpty());
    messenger.answer = Messenger::Answer::No;
    EXPECT_FALSE(m.save());
    EXPECT_EQ(messenger.questions,
        QStringList { "コメントが入力されていませんので\r\n予定を設定せずに終了しますか？" });
    EXPECT_EQ(store.readSection("Plan").size(), 2);
    messenger.answer = Messenger::Answer::Yes;
    EXPECT_TRUE(m.save());
    EXPECT_EQ(store.readSection("Plan"), QStringList { "2026/12/20 08:00 00=0 0 残る" });
}

TEST_F(PlanEditor, ModifyTakesTheLineBackIntoTheInputs)
{
    store.writeString("Plan", "2026/12/20 07:30 00", "3 5 木曜 の 会");
    PlanEditorModel &m = open();
    m.showEvery();
    m.modify(Page::Every);
    EXPECT_EQ(messenger.messages, QStringList { "修正する予定を指示してください" });
    m.select(Page::Every, 0);
    m.modify(Page::Every);
    EXPECT_TRUE(m.list(Page::Every).isEmpty());
    EXPECT_EQ(m.inputs().mode, 3);
    EXPECT_EQ(m.inputs().weekday, 5);
    EXPECT_EQ(m.inputs().hour, "07");
    EXPECT_EQ(m.inputs().minute, "30");
    EXPECT_EQ(m.inputs().comment, "木曜 の 会");
    EXPECT_TRUE(m.enabled().weekday);
    // Saving adds it again first: this Thursday 07:30 has passed.
    EXPECT_TRUE(m.save());
    EXPECT_EQ(store.readSection("Plan"), QStringList { "2026/12/17 07:30 00=3 5 木曜 の 会" });
}

TEST_F(PlanEditor, AnEntryThatCannotBeAddedKeepsTheEditorOpen)
{
    PlanEditorModel &m = open();
    PlanEditorModel::Inputs in = m.inputs();
    in.hour = "07";
    in.comment = "遅すぎ";
    m.setInputs(in);
    EXPECT_FALSE(m.save());
    EXPECT_EQ(m.inputs().comment, "遅すぎ");
}

} // namespace vesk::test
