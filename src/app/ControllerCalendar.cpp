#include "app/Controller.h"
#include "mail/CoreServices.h"
#include "plan/CalendarState.h"
#include "plan/PlanState.h"
#include "platform/Clock.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
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

void Controller::setShippedHolidays(const QString &folder)
{
    m_calendar = std::make_unique<CalendarState>(m_core.store.root(), folder);
}

bool Controller::calendarOpen() const
{
    return m_calendar->open();
}

bool Controller::holidayPlanning() const
{
    return m_calendar->planning();
}

bool Controller::CalDaySet()
{
    QString error;
    const bool ok = m_calendar->CalDaySet(m_core.clock.now().date(), m_plans->lines(), &error);
    if (!ok)
        m_core.messenger.message(error);
    emit calendarChanged();
    return ok;
}

void Controller::spbTodayClick()
{
    const int year = m_calendar->shownYear();
    const int month = m_calendar->shownMonth();
    m_calendar->showToday(m_core.clock.now().date());
    calendarMoved(year, month);
}

void Controller::calendarMoved(int year, int month)
{
    CalDaySet();
    // The planned days of the year shown before could not be saved: that
    // year stays on display, with its days still in memory.
    if (m_calendar->loadedYear() != m_calendar->shownYear() && m_calendar->planning()) {
        m_calendar->show(year, month);
        CalDaySet();
    }
}

void Controller::toggleCalendar()
{
    // mnuCalClick
    if (calendarOpen()) {
        closeCalendar();
        return;
    }
    m_calendar->setOpen(true);
    spbTodayClick();
    DispSet(DisplayState::Calendar);
    m_settings.CalFlag = true;
    SettingsTable::setValue(m_settingsStore, &Settings::CalFlag, true);
}

void Controller::closeCalendar()
{
    // spbCalCloseClick
    if (!calendarOpen())
        return;
    if (holidayPlanning() && !leaveHolidayPlanning())
        return;
    m_calendar->forgetHolidays();
    m_calendar->setOpen(false);
    m_settings.CalFlag = false;
    if (m_display.planAlert())
        DispSet(DisplayState::PlanAlert);
    else
        DispSet(m_mailAnnounced ? DisplayState::MailOn : DisplayState::Normal);
    SettingsTable::setValue(m_settingsStore, &Settings::CalFlag, false);
    emit calendarChanged();
}

void Controller::calendarPrevious()
{
    if (!calendarOpen())
        return;
    const int year = m_calendar->shownYear();
    const int month = m_calendar->shownMonth();
    m_calendar->showPrevious();
    calendarMoved(year, month);
}

void Controller::calendarNext()
{
    if (!calendarOpen())
        return;
    const int year = m_calendar->shownYear();
    const int month = m_calendar->shownMonth();
    m_calendar->showNext();
    calendarMoved(year, month);
}

void Controller::calendarToday()
{
    if (calendarOpen())
        spbTodayClick();
}

void Controller::toggleHolidayPlanning()
{
    // spbHLDsetClick
    if (!calendarOpen())
        return;
    if (!holidayPlanning()) {
        // No clock, mail check or plan while the days are being planned.
        m_calendar->setPlanning(true);
        m_timMin->stop();
    } else if (!leaveHolidayPlanning()) {
        return;
    }
    CalDaySet();
}

bool Controller::leaveHolidayPlanning()
{
    QString error;
    if (!m_calendar->HolidayWrite(&error)) {
        // Planning goes on, so the days are not lost with the closing mode.
        m_core.messenger.message(error);
        return false;
    }
    m_calendar->setPlanning(false);
    startMinuteTimer();
    return true;
}

void Controller::calendarDayClicked(int cell)
{
    // pnlDay1Click
    if (m_calendar->toggleDay(cell))
        emit calendarChanged();
}

void Controller::calendarDayDoubleClicked(int cell)
{
    // pnlDay1DblClick
    if (holidayPlanning()) {
        calendarDayClicked(cell);
        return;
    }
    if (m_dialogOpen) {
        m_core.messenger.beep();
        return;
    }
    const int day = m_calendar->dayOfCell(cell);
    if (day == 0)
        return;
    openPlanEditorFor(QDate(m_calendar->shownYear(), m_calendar->shownMonth(), day));
}

void Controller::setCalendarColour(int number, ColorValue colour)
{
    if (number < 1 || number > 7)
        return;
    m_settings.*WeekColors[number - 1] = colour;
    SettingsTable::setValue(m_settingsStore, WeekColors[number - 1], colour);
    emit calendarChanged();
}

void Controller::resetCalendarColours()
{
    {
        SettingsStore::Batch batch(m_settingsStore);
        for (ColorValue Settings::*colour : WeekColors)
            SettingsTable::remove(m_settingsStore, colour);
    }
    m_core.messenger.beep();
    m_core.messenger.message(QStringLiteral("デフォルト色に戻しました\r\nVeskを再立ち上げしてください"));
}

void Controller::calendarDateChanged()
{
    if (calendarOpen())
        spbTodayClick();
}

void Controller::saveHolidaysAtQuit()
{
    QString error;
    if (holidayPlanning() && !m_calendar->HolidayWrite(&error))
        m_core.messenger.message(error);
}

} // namespace vesk
