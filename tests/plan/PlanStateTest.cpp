#include "plan/PlanState.h"
#include "plan/PlanRepeat.h"
#include "support/MemorySettingsStore.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString nextOf(const char *line, const char *now)
{
    return PlanRepeat::next(PlanRecord::fromLine(QString::fromUtf8(line)), at(now));
}

} // namespace

TEST(PlanRepeat, NextOccurrenceAfterFiringOrOverdue)
{
    struct Row
    {
        const char *line;
        const char *now;
        const char *next;
    };
    const Row rows[] = {
        // Daily at 08:00 fired at 08:00: tomorrow; seen at 07:00: today.
        { "2026/12/06 08:00 00=4 0 朝礼", "2026/12/06 08:00", "2026/12/07 08:00" },
        { "2026/12/01 08:00 00=4 0 朝礼", "2026/12/06 07:00", "2026/12/06 08:00" },
        // Yearly, years overdue: year by year until after now.
        { "2021/12/06 09:00 00=1 0 誕生日", "2026/12/06 10:00", "2027/12/06 09:00" },
        // Monthly across the year end; the day is kept even where it is missing.
        { "2026/12/31 09:00 00=2 0 月末", "2026/12/31 09:00", "2027/01/31 09:00" },
        { "2027/01/31 09:00 00=2 0 月末", "2027/01/31 09:00", "2027/02/31 09:00" },
        // Weekly: a week on, as often as needed.
        { "2026/11/16 09:00 00=3 2 定例", "2026/12/07 09:00", "2026/12/14 09:00" },
        // A weekly plan whose date is unreadable starts again from its weekday.
        { "2026/xx/16 09:00 00=3 2 定例", "2026/12/09 12:00", "2026/12/14 09:00" },
        // One-off: unchanged (it is removed instead).
        { "2026/12/06 08:00 00=0 0 歯医者", "2026/12/06 08:00", "2026/12/06 08:00" },
    };
    for (const Row &row : rows)
        EXPECT_EQ(nextOf(row.line, row.now), QString::fromLatin1(row.next)) << row.line;
}

class PlanStateTest : public ::testing::Test
{
protected:
    void put(const char *name, const char *data)
    {
        store.writeString("Plan", QString::fromUtf8(name), QString::fromUtf8(data));
    }
    QStringList names() const
    {
        QStringList out;
        for (const QString &line : const_cast<MemorySettingsStore &>(store).readSection("Plan"))
            out << line.section(u'=', 0, 0);
        out.sort();
        return out;
    }

    MemorySettingsStore store;
    PlanState plans { store };
};

TEST_F(PlanStateTest, YearlyFebruary29MovesOnYearByYearUntilTheDateExists)
{
    put("2025/02/29 08:00 00", "1 0 閏日");
    const QStringList expected { "2026/02/29 08:00 00", "2027/02/29 08:00 00", "2028/02/29 08:00 00",
        "2028/02/29 08:00 00" };
    for (const QString &name : expected) {
        plans.PlanRegRead();
        EXPECT_EQ(names(), QStringList { name });
    }
}

TEST_F(PlanStateTest, MonthlyDay31OfAThirtyDayMonthMovesToTheNextMonth)
{
    put("2026/04/31 08:00 00", "2 0 月末");
    put("2026/12/31 08:00 00", "2 0 年末");
    plans.PlanRegRead();
    EXPECT_EQ(names(), (QStringList { "2026/05/31 08:00 00", "2026/12/31 08:00 00" }));
}

TEST_F(PlanStateTest, RepairedPlanTakesTheFirstFreeRank)
{
    put("2026/05/31 08:00 00", "0 0 先客");
    put("2026/04/31 08:00 00", "2 0 月末");
    plans.PlanRegRead();
    EXPECT_TRUE(store.contains("Plan", "2026/05/31 08:00 01"));
    EXPECT_EQ(store.readString("Plan", "2026/05/31 08:00 01"), "2 0 月末");
}

TEST_F(PlanStateTest, OldNameWithoutRankIsStoredAgainWhenItBecomesCurrent)
{
    put("2026/12/06 08:00", "0 0 旧形式 の コメント");
    plans.PlanRegRead();
    EXPECT_EQ(names(), QStringList { "2026/12/06 08:00" });
    plans.setIndex(0);
    plans.PlanSet();
    EXPECT_EQ(names(), QStringList { "2026/12/06 08:00 00" });
    EXPECT_EQ(plans.current().rank, "00");
    EXPECT_EQ(plans.current().comment, "旧形式 の コメント");
}

TEST_F(PlanStateTest, ReWriteRemovesOneOffsAndUnknownModesAndMovesRepeatingPlans)
{
    put("2026/12/06 08:00 00", "0 0 一度");
    put("2026/12/06 08:00 01", "4 0 毎日");
    put("2026/12/06 08:00 02", "7 0 壊れた");
    plans.PlanRegRead();
    for (int i = 0; i < 3; ++i) {
        plans.setIndex(i);
        plans.PlanSet();
        plans.PlanReWrite(at("2026/12/06 08:00"));
    }
    EXPECT_EQ(names(), QStringList { "2026/12/07 08:00 00" });
    EXPECT_EQ(store.readString("Plan", "2026/12/07 08:00 00"), "4 0 毎日");
}

TEST_F(PlanStateTest, LongCommentsSurviveARewrite)
{
    const QString comment(150, u'長');
    store.writeString("Plan", "2026/12/06 08:00 00", "4 0 " + comment);
    plans.PlanRegRead();
    plans.setIndex(0);
    plans.PlanSet();
    EXPECT_EQ(plans.comment().size(), PlanState::CommentLength);
    plans.PlanReWrite(at("2026/12/06 08:00"));
    EXPECT_EQ(store.readString("Plan", "2026/12/07 08:00 00"), "4 0 " + comment);
}

} // namespace vesk::test
