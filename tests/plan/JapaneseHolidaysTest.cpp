#include "plan/HolidayFile.h"
#include "support/Printers.h"
#include "support/TestPaths.h"

#include <QDate>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// National holidays as the Cabinet Office published them, with the
// citizens' and substitute holidays (month * 100 + day).
struct Year
{
    int year;
    std::vector<int> days;
};

const Year Official[] = {
    { 2000, { 101, 110, 211, 320, 429, 503, 504, 505, 720, 915, 923, 1009, 1103, 1123, 1223 } },
    { 2019,
        { 101, 114, 211, 321, 429, 430, 501, 502, 503, 504, 505, 506, 715, 811, 812, 916, 923, 1014, 1022,
            1103, 1104, 1123 } },
    { 2020, { 101, 113, 211, 223, 224, 320, 429, 503, 504, 505, 506, 723, 724, 810, 921, 922, 1103, 1123 } },
    { 2021, { 101, 111, 211, 223, 320, 429, 503, 504, 505, 722, 723, 808, 809, 920, 923, 1103, 1123 } },
    { 2024,
        { 101, 108, 211, 212, 223, 320, 429, 503, 504, 505, 506, 715, 811, 812, 916, 922, 923, 1014, 1103,
            1104, 1123 } },
    { 2025,
        { 101, 113, 211, 223, 224, 320, 429, 503, 504, 505, 506, 721, 811, 915, 923, 1013, 1103, 1123,
            1124 } },
    { 2026, { 101, 112, 211, 223, 320, 429, 503, 504, 505, 506, 720, 811, 921, 922, 923, 1012, 1103, 1123 } },
};

} // namespace

// The shipped .DEF files list the national holidays and every Sunday (the
// calendar colours the days the file lists, Sundays included).
TEST(JapaneseHolidays, ShippedFilesMatchTheOfficialCalendar)
{
    for (const Year &official : Official) {
        const QString path = sourceDir() + "/resources/holidays/" + HolidayFile::defName(official.year);
        QString error;
        const std::optional<HolidayDays> shipped = HolidayFile::read(path, &error);
        ASSERT_TRUE(shipped) << path.toStdString() << error.toStdString();
        HolidayDays expected;
        for (int day : official.days)
            expected.set(day / 100, day % 100, true);
        for (QDate day(official.year, 1, 1); day.year() == official.year; day = day.addDays(1)) {
            if (day.dayOfWeek() == Qt::Sunday)
                expected.set(day.month(), day.day(), true);
        }
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day)
                EXPECT_EQ(shipped->isSet(month, day), expected.isSet(month, day))
                    << official.year << '/' << month << '/' << day;
        }
    }
}

TEST(JapaneseHolidays, EveryYearFrom2000To2060IsShipped)
{
    for (int year = 2000; year <= 2060; ++year) {
        QString error;
        const auto days
            = HolidayFile::read(sourceDir() + "/resources/holidays/" + HolidayFile::defName(year), &error);
        ASSERT_TRUE(days) << year;
        EXPECT_TRUE(days->isSet(1, 1) && days->isSet(5, 3) && days->isSet(11, 3)) << year;
    }
}

} // namespace vesk::test
