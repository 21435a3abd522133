#include "plan/CalendarLayout.h"
#include "plan/CalendarState.h"
#include "plan/HolidayFile.h"
#include "support/Printers.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

TEST(CalendarLayout, MonthsAndLeapYears)
{
    // March 2025 starts on a Saturday: its 31 days reach cell 37.
    EXPECT_EQ(CalendarLayout::firstWeekday(2025, 3), 7);
    EXPECT_EQ(CalendarLayout::cellOfDay(7, 31), 37);
    EXPECT_EQ(CalendarLayout::dayOfCell(7, 31, 37), 31);
    EXPECT_EQ(CalendarLayout::dayOfCell(7, 30, 37), 0);
    EXPECT_TRUE(CalendarLayout::isSaturday(7));
    EXPECT_TRUE(CalendarLayout::isSunday(8));
    struct Row
    {
        int year, february;
    };
    for (const Row row :
        { Row { 1900, 28 }, Row { 2000, 29 }, Row { 2100, 28 }, Row { 2024, 29 }, Row { 2026, 28 } })
        EXPECT_EQ(CalendarLayout::daysInMonth(row.year, 2), row.february) << row.year;
    EXPECT_EQ(CalendarLayout::daysInMonth(2026, 4), 30);
    EXPECT_EQ(CalendarLayout::firstWeekday(1900, 1), 2); // a Monday
    EXPECT_EQ(CalendarLayout::firstWeekday(2100, 1), 6); // a Friday
}

TEST(HolidayFile, ReadsForgivinglyAndWritesTwelveHeaders)
{
    const HolidayDays days
        = HolidayFile::parse("3\r\n<1>\r\n1\r\n\r\nx\r\n40\r\n<13>\r\n5\r\n<x>\r\n6\r\n<2>\n11\n11\n");
    EXPECT_TRUE(days.isSet(1, 1));
    EXPECT_TRUE(days.isSet(2, 11));
    EXPECT_FALSE(days.isSet(1, 3));
    HolidayDays expected;
    expected.set(1, 1, true);
    expected.set(2, 11, true);
    EXPECT_EQ(days, expected);
    EXPECT_EQ(HolidayFile::format(expected),
        "<1>\r\n1\r\n<2>\r\n11\r\n<3>\r\n<4>\r\n<5>\r\n<6>\r\n<7>\r\n<8>\r\n<9>\r\n<10>\r\n<11>\r\n<12>\r\n");
}

class Calendar : public ::testing::Test
{
protected:
    void writeDef(int year, const QByteArray &content)
    {
        ASSERT_TRUE(writeFile(shipped.path() + '/' + HolidayFile::defName(year), content));
    }
    QByteArray hld(int year) const
    {
        return fileBytes(data.path() + '/' + HolidayFile::hldName(year), "(none)");
    }
    void draw(const QStringList &plans = {})
    {
        QString error;
        ASSERT_TRUE(calendar.CalDaySet(QDate(2025, 3, 12), plans, &error)) << error.toStdString();
    }
    const CalendarCell &dayCell(int day) const
    {
        return calendar.cell(CalendarLayout::cellOfDay(calendar.firstWeekday(), day));
    }

    QTemporaryDir data;
    QTemporaryDir shipped;
    CalendarState calendar { data.path(), shipped.path() };
};

TEST_F(Calendar, SundaysTakeTheHolidayColourOnlyWithoutADefinitionFile)
{
    calendar.show(2025, 3);
    draw();
    EXPECT_EQ(calendar.title(), "2025年 3月");
    EXPECT_EQ(dayCell(1).text, 7); // Saturday
    EXPECT_EQ(dayCell(2).text, 1); // Sunday
    EXPECT_EQ(dayCell(3).text, 4);
    EXPECT_EQ(calendar.cell(37).caption, "31");
    EXPECT_EQ(calendar.cell(38).caption, "");
    EXPECT_TRUE(dayCell(12).todayFrame);
    EXPECT_FALSE(dayCell(11).todayFrame);

    writeDef(2026, "<1>\r\n1\r\n<3>\r\n20\r\n");
    calendar.show(2026, 1);
    draw();
    EXPECT_TRUE(calendar.hasDefinitions());
    EXPECT_EQ(dayCell(1).text, 1);
    EXPECT_EQ(dayCell(4).text, 4); // a Sunday, not listed
    EXPECT_EQ(dayCell(3).text, 7);
    EXPECT_FALSE(dayCell(12).todayFrame);
}

TEST_F(Calendar, PlanningWritesTheYearsFileAndRemovesItWhenEmpty)
{
    calendar.show(2025, 3);
    draw();
    calendar.setPlanning(true);
    draw();
    EXPECT_EQ(dayCell(15).background, 2);
    EXPECT_EQ(dayCell(15).hint, "クリックで休日設定／解除");
    EXPECT_FALSE(calendar.toggleDay(1)); // no day in cell 1
    ASSERT_TRUE(calendar.toggleDay(CalendarLayout::cellOfDay(calendar.firstWeekday(), 15)));
    EXPECT_EQ(dayCell(15).background, 3);
    EXPECT_EQ(hld(2025), "(none)"); // nothing on disk while planning
    QString error;
    ASSERT_TRUE(calendar.HolidayWrite(&error));
    EXPECT_EQ(hld(2025),
        "<1>\r\n<2>\r\n<3>\r\n15\r\n<4>\r\n<5>\r\n<6>\r\n<7>\r\n<8>\r\n<9>\r\n<10>\r\n<11>\r\n<12>\r\n");
    calendar.toggleDay(CalendarLayout::cellOfDay(calendar.firstWeekday(), 15));
    ASSERT_TRUE(calendar.HolidayWrite(&error));
    EXPECT_EQ(hld(2025), "(none)");
}

TEST_F(Calendar, MovingToTheNextYearWhilePlanningWritesTheOldYearFirst)
{
    calendar.show(2025, 12);
    calendar.setPlanning(true);
    draw();
    calendar.toggleDay(CalendarLayout::cellOfDay(calendar.firstWeekday(), 29));
    calendar.showNext();
    draw();
    EXPECT_EQ(calendar.loadedYear(), 2026);
    EXPECT_TRUE(hld(2025).contains("<12>\r\n29\r\n"));
    EXPECT_FALSE(calendar.planned().isSet(12, 29));
    // Back again, the planned day is read from its file.
    calendar.showPrevious();
    draw();
    EXPECT_EQ(dayCell(29).background, 3);
}

TEST_F(Calendar, PlansUnderlineTheirNextDateAndListInTheHint)
{
    calendar.show(2025, 3);
    draw({
        "2025/03/20 09:00 00=0 0 歯医者",
        "2025/03/20 18:30 00=1 0 誕生会",
        "2025/03/20 12:00 00=0 0 @TimeSignal@",
        "2025/03/21 08:00 00=3 6 週の会",
        "2025/03/40 08:00 00=0 0 無い日",
        "2026/03/22 08:00 00=1 0 来年",
    });
    EXPECT_TRUE(dayCell(20).underline);
    EXPECT_EQ(dayCell(20).hint, "09:00 < 歯医者 >\r\n18:30 < 誕生会 >");
    EXPECT_FALSE(dayCell(21).underline);
    EXPECT_FALSE(dayCell(22).underline);
}

TEST_F(Calendar, AFileThatCannotBeWrittenKeepsThePlannedYear)
{
    calendar.show(2025, 12);
    calendar.setPlanning(true);
    draw();
    calendar.toggleDay(CalendarLayout::cellOfDay(calendar.firstWeekday(), 29));
    // A folder where the file should go.
    ASSERT_TRUE(QDir(data.path()).mkdir(HolidayFile::hldName(2025)));
    calendar.showNext();
    QString error;
    EXPECT_FALSE(calendar.CalDaySet(QDate(2025, 3, 12), {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(calendar.loadedYear(), 2025);
    EXPECT_TRUE(calendar.planned().isSet(12, 29));
}

} // namespace vesk::test
