#pragma once

#include "plan/CalendarCell.h"
#include "plan/HolidayDays.h"

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <array>

namespace vesk {

// The calendar of the strip: the month on display, the holiday-planning
// mode, the holidays of the year on display and the 42 cells drawn from
// them (CalDaySet). Planned days ("2024.HLD") are kept in `dataFolder`;
// national holidays ("2024.DEF") are read from `dataFolder` when the user
// put one there, else from the files shipped in `shippedFolder`.
class CalendarState final
{
public:
    static constexpr int NoYear = 1800;

    CalendarState(QString dataFolder, QString shippedFolder);

    int shownYear() const { return m_year; }
    int shownMonth() const { return m_month; }
    int firstWeekday() const { return m_firstWeekday; }
    // "2026年 12月"
    QString title() const;
    bool open() const { return m_open; }
    void setOpen(bool open) { m_open = open; }
    bool planning() const { return m_planning; }
    void setPlanning(bool planning) { m_planning = planning; }
    int loadedYear() const { return m_loadedYear; }
    bool hasDefinitions() const { return m_hasDef; }
    const HolidayDays &planned() const { return m_planned; }
    const HolidayDays &national() const { return m_national; }
    const std::array<CalendarCell, 42> &cells() const { return m_cells; }
    // Cell n (1-42).
    const CalendarCell &cell(int n) const { return m_cells.at(std::clamp(n, 1, 42) - 1); }

    // The month on display; the first weekday follows.
    void show(int year, int month);
    void showToday(const QDate &today) { show(today.year(), today.month()); }
    void showPrevious();
    void showNext();

    // CalDaySet: the cells drawn for the month on display. Holidays of a
    // newly shown year are read first; while planning, the planned days of
    // the year shown before are written first. False with `error` when a
    // holiday file cannot be written (nothing changes then) or read.
    bool CalDaySet(const QDate &today, const QStringList &planLines, QString *error);
    // HolidayWrite: the planned days of the loaded year written (or its file
    // removed when none is planned). False with `error` when that fails.
    bool HolidayWrite(QString *error) const;
    // The holidays forgotten (the calendar closed).
    void forgetHolidays();

    // The day of cell n, 0 for a cell without one.
    int dayOfCell(int cell) const;
    // A click while planning: the day planned or unplanned. False for a
    // cell without a day or outside planning.
    bool toggleDay(int cell);

    QString hldPath(int year) const;
    QString defPath(int year) const;

private:
    bool HolidayRead(int year, QString *error);
    void markPlans(const QStringList &planLines);

    QString m_dataFolder;
    QString m_shippedFolder;
    int m_year = 2000;
    int m_month = 1;
    int m_firstWeekday = 1;
    bool m_open = false;
    bool m_planning = false;
    int m_loadedYear = NoYear;
    bool m_hasDef = false;
    HolidayDays m_planned;
    HolidayDays m_national;
    std::array<CalendarCell, 42> m_cells;
};

} // namespace vesk
