#pragma once

namespace vesk {

// Where the days of a month sit in the calendar's 42 cells: six rows of
// seven, Sunday first, cell n in column n mod 7 (1 Sunday .. 6 Friday,
// 0 Saturday). The 1st is in the cell of its weekday in the first row.
class CalendarLayout final
{
public:
    static constexpr int Cells = 42;

    // Divisible by 4 and not by 100, or divisible by 400.
    static bool isLeapYear(int year);
    static int daysInMonth(int year, int month);
    // 1 = Sunday .. 7 = Saturday.
    static int firstWeekday(int year, int month);

    static int cellOfDay(int firstWeekday, int day) { return firstWeekday + day - 1; }
    // The day shown in cell n, 0 for a cell without one.
    static int dayOfCell(int firstWeekday, int daysInMonth, int cell);
    static int column(int cell) { return cell % 7; }
    static bool isSaturday(int cell) { return column(cell) == 0; }
    static bool isSunday(int cell) { return column(cell) == 1; }
};

} // namespace vesk
