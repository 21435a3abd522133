#pragma once

#include <QString>

namespace vesk {

// One day cell of the calendar as it is to be drawn. Colours are given by
// the number N of the setting WeekColorN that holds them, so a changed
// colour needs no new layout.
struct CalendarCell
{
    QString caption; // the day, empty for a cell outside the month
    int background = 5;
    int text = 4;
    bool underline = false; // a plan falls on the day
    QString hint; // lines joined by CR LF
    bool todayFrame = false;
};

} // namespace vesk
