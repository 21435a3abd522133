#include "app/ControllerPlanHost.h"

#include "app/Controller.h"

namespace vesk {

ControllerPlanHost::ControllerPlanHost(Controller &controller, QObject *parent)
    : PlanHost(parent)
    , m_c(controller)
{
    connect(&m_c, &Controller::calendarChanged, this, &PlanHost::calendarChanged);
    connect(&m_c, &Controller::settingsChanged, this, &PlanHost::settingsChanged);
    connect(&m_c, &Controller::planEditorRequested, this, &PlanHost::planEditorRequested);
    connect(&m_c, &Controller::reminderRequested, this, &PlanHost::reminderRequested);
}

const Settings &ControllerPlanHost::settings() const
{
    return m_c.settings();
}

const CalendarState &ControllerPlanHost::calendar() const
{
    return m_c.calendar();
}

void ControllerPlanHost::calendarPrevious()
{
    m_c.calendarPrevious();
}

void ControllerPlanHost::calendarNext()
{
    m_c.calendarNext();
}

void ControllerPlanHost::calendarToday()
{
    m_c.calendarToday();
}

void ControllerPlanHost::toggleHolidayPlanning()
{
    m_c.toggleHolidayPlanning();
}

void ControllerPlanHost::closeCalendar()
{
    m_c.closeCalendar();
}

void ControllerPlanHost::calendarDayClicked(int cell)
{
    m_c.calendarDayClicked(cell);
}

void ControllerPlanHost::calendarDayDoubleClicked(int cell)
{
    m_c.calendarDayDoubleClicked(cell);
}

void ControllerPlanHost::setCalendarColour(int number, ColorValue colour)
{
    m_c.setCalendarColour(number, colour);
}

void ControllerPlanHost::resetCalendarColours()
{
    m_c.resetCalendarColours();
}

void ControllerPlanHost::planEditorClosed()
{
    m_c.planEditorClosed();
}

void ControllerPlanHost::reminderToStickyNote(const QString &date, const QString &comment)
{
    m_c.reminderToStickyNote(date, comment);
}

} // namespace vesk
