#pragma once

#include "plan/PlanHost.h"

namespace vesk {

class Controller;

// The organiser windows' requests, served by the resident program's
// controller, and its news of the calendar and the plans passed on.
class ControllerPlanHost final : public PlanHost
{
    Q_OBJECT

public:
    explicit ControllerPlanHost(Controller &controller, QObject *parent = nullptr);

    const Settings &settings() const override;
    const CalendarState &calendar() const override;
    void calendarPrevious() override;
    void calendarNext() override;
    void calendarToday() override;
    void toggleHolidayPlanning() override;
    void closeCalendar() override;
    void calendarDayClicked(int cell) override;
    void calendarDayDoubleClicked(int cell) override;
    void setCalendarColour(int number, ColorValue colour) override;
    void resetCalendarColours() override;
    void planEditorClosed() override;
    void reminderToStickyNote(const QString &date, const QString &comment) override;

private:
    Controller &m_c;
};

} // namespace vesk
