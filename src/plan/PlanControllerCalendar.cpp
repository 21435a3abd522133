#include "plan/PlanController.h"
#include "mail/EditorGate.h"

#include "display/DisplayState.h"
#include "mail/CoreServices.h"
#include "plan/CalendarState.h"
#include "plan/PlanState.h"
#include "platform/Clock.h"
#include "platform/Messenger.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "store/MessageStore.h"

namespace vesk {
namespace {

ColorValue Settings::*const WeekColors[] = {
    &Settings::WeekColor1,
    &Settings::WeekColor2,
    &Settings::WeekColor3,
    &Settings::WeekColor4,
    &Settings::WeekColor5,
    &Settings::WeekColor6,
    &Settings::WeekColor7,
};

} // namespace

void PlanController::setShippedHolidays(const QString &folder)
{
    m_calendar = std::make_unique<CalendarState>(m_core.store.root(), folder);
}

bool PlanController::calendarOpen() const
{
    return m_calendar->open();
}

bool PlanController::holidayPlanning() const
{
    return m_calendar->planning();
}

bool PlanController::CalDaySet()
{
    QString error;
    const bool ok = m_calendar->CalDaySet(m_core.clock.now().date(), m_plans->lines(), &error);
    if (!ok)
        m_core.messenger.message(error);
    emit calendarChanged();
    return ok;
}

void PlanController::spbTodayClick()
{
    const int year = m_calendar->shownYear();
    const int month = m_calendar->shownMonth();
    m_calendar->showToday(m_core.clock.now().date());
    calendarMoved(year, month);
}

void PlanController::calendarMoved(int year, int month)
{
    CalDaySet();
    // The planned days of the year shown before could not be saved: that
    // year stays on display, with its days still in memory.
    if (m_calendar->loadedYear() != m_calendar->shownYear() && m_calendar->planning()) {
        m_calendar->show(year, month);
        CalDaySet();
    }
}

void PlanController::toggleCalendar()
{
    // mnuCalClick
    if (calendarOpen()) {
        closeCalendar();
        return;
    }
    m_calendar->setOpen(true);
    spbTodayClick();
    m_program.showDisplay(DisplayState::Calendar);
    m_program.settings().CalFlag = true;
    SettingsTable::setValue(m_settingsStore, &Settings::CalFlag, true);
}

void PlanController::closeCalendar()
{
    // spbCalCloseClick
    if (!calendarOpen())
        return;
    if (holidayPlanning() && !leaveHolidayPlanning())
        return;
    m_calendar->forgetHolidays();
    m_calendar->setOpen(false);
    m_program.settings().CalFlag = false;
    if (m_program.planAlertShown())
        m_program.showDisplay(DisplayState::PlanAlert);
    else
        m_program.showDisplay(m_program.mailAnnounced() ? DisplayState::MailOn : DisplayState::Normal);
    SettingsTable::setValue(m_settingsStore, &Settings::CalFlag, false);
    emit calendarChanged();
}

void PlanController::calendarPrevious()
{
    if (!calendarOpen())
        return;
    const int year = m_calendar->shownYear();
    const int month = m_calendar->shownMonth();
    m_calendar->showPrevious();
    calendarMoved(year, month);
}

void PlanController::calendarNext()
{
    if (!calendarOpen())
        return;
    const int year = m_calendar->shownYear();
    const int month = m_calendar->shownMonth();
    m_calendar->showNext();
    calendarMoved(year, month);
}

void PlanController::calendarToday()
{
    if (calendarOpen())
        spbTodayClick();
}

void PlanController::toggleHolidayPlanning()
{
    // spbHLDsetClick
    if (!calendarOpen())
        return;
    if (!holidayPlanning()) {
        // No clock, mail check or plan while the days are being planned.
        m_calendar->setPlanning(true);
        m_program.stopMinuteTimer();
    } else if (!leaveHolidayPlanning()) {
        return;
    }
    CalDaySet();
}

bool PlanController::leaveHolidayPlanning()
{
    QString error;
    if (!m_calendar->HolidayWrite(&error)) {
        // Planning goes on, so the days are not lost with the closing mode.
        m_core.messenger.message(error);
        return false;
    }
    m_calendar->setPlanning(false);
    m_program.startMinuteTimer();
    return true;
}

void PlanController::calendarDayClicked(int cell)
{
    // pnlDay1Click
    if (m_calendar->toggleDay(cell))
        emit calendarChanged();
}

void PlanController::calendarDayDoubleClicked(int cell)
{
    // pnlDay1DblClick
    if (holidayPlanning()) {
        calendarDayClicked(cell);
        return;
    }
    if (m_editors.refuse())
        return;
    const int day = m_calendar->dayOfCell(cell);
    if (day == 0)
        return;
    openPlanEditorFor(QDate(m_calendar->shownYear(), m_calendar->shownMonth(), day));
}

void PlanController::setCalendarColour(int number, ColorValue colour)
{
    if (number < 1 || number > 7)
        return;
    m_program.settings().*WeekColors[number - 1] = colour;
    SettingsTable::setValue(m_settingsStore, WeekColors[number - 1], colour);
    emit calendarChanged();
}

void PlanController::resetCalendarColours()
{
    {
        SettingsStore::Batch batch(m_settingsStore);
        for (ColorValue Settings::*colour : WeekColors)
            SettingsTable::remove(m_settingsStore, colour);
    }
    m_core.messenger.beep();
    m_core.messenger.message(QStringLiteral("デフォルト色に戻しました\r\nVeskを再立ち上げしてください"));
}

void PlanController::calendarDateChanged()
{
    if (calendarOpen())
        spbTodayClick();
}

void PlanController::saveHolidaysAtQuit()
{
    QString error;
    if (holidayPlanning() && !m_calendar->HolidayWrite(&error))
        m_core.messenger.message(error);
}

} // namespace vesk
