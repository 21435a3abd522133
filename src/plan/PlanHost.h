#pragma once

#include "settings/ColorValue.h"

#include <QDate>
#include <QObject>
#include <QString>

namespace vesk {

class CalendarState;
struct Settings;

// What the calendar panel, the plan editor and the reminder windows ask of
// the resident program: the settings and the calendar to draw, the
// calendar's commands, and when to open an editor or a reminder. The
// program's controller stands behind it.
class PlanHost : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual const Settings &settings() const = 0;
    virtual const CalendarState &calendar() const = 0;

    // "<<", ">>", "Today", "休" and "閉じる".
    virtual void calendarPrevious() = 0;
    virtual void calendarNext() = 0;
    virtual void calendarToday() = 0;
    virtual void toggleHolidayPlanning() = 0;
    virtual void closeCalendar() = 0;
    // A click and a double-click on day cell n (1-42).
    virtual void calendarDayClicked(int cell) = 0;
    virtual void calendarDayDoubleClicked(int cell) = 0;
    // WeekColorN (1-7) chosen, and all seven back to their defaults.
    virtual void setCalendarColour(int number, ColorValue colour) = 0;
    virtual void resetCalendarColours() = 0;

    // The plan editor has closed: the plans are read again.
    virtual void planEditorClosed() = 0;
    // The reminder's "付箋紙貼付(&G)": its date and comment become a note.
    virtual void reminderToStickyNote(const QString &date, const QString &comment) = 0;

signals:
    // The calendar's month, cells, planning mode or colours changed.
    void calendarChanged();
    // The settings were read again.
    void settingsChanged();
    // The plan editor is to open with this reference day.
    void planEditorRequested(const QDate &reference);
    // A reminder window with its caption, the plan's date-time and comment,
    // placed `offset` pixels off the centre of the screen.
    void reminderRequested(const QString &message, const QString &dateTime, const QString &comment, int offset);
};

} // namespace vesk
