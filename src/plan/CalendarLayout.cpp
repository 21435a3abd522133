#include "plan/CalendarLayout.h"

#include "plan/PlanText.h"

#include <QDate>

namespace vesk {

bool CalendarLayout::isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int CalendarLayout::daysInMonth(int year, int month)
{
    switch (month) {
    case 2:
        return isLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

int CalendarLayout::firstWeekday(int year, int month)
{
    return PlanText::weekdayIndex(QDate(year, month, 1));
}

int CalendarLayout::dayOfCell(int firstWeekday, int daysInMonth, int cell)
{
    const int day = cell - firstWeekday + 1;
    return day >= 1 && day <= daysInMonth ? day : 0;
}

} // namespace vesk
