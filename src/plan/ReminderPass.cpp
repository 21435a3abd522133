#include "plan/ReminderPass.h"

#include "plan/PlanText.h"
#include "settings/Settings.h"

namespace vesk {

bool ReminderPass::aheadMark(const PlanRecord &plan, const Settings &settings)
{
    switch (plan.modeNumber()) {
    case PlanRecord::Once:
        return settings.BeforeOne;
    case PlanRecord::Yearly:
        return settings.BeforeYear;
    case PlanRecord::Monthly:
        return settings.BeforeMonth;
    case PlanRecord::Weekly:
        return settings.BeforeWeek;
    default:
        return false;
    }
}

ReminderPass::Step ReminderPass::judge(const PlanRecord &plan, const Settings &settings, const QDateTime &now)
{
    Step step;
    if (PlanText::isAction(plan.comment)) {
        step.action = true;
        return step;
    }
    const QString nowText = PlanText::minute(now);
    const QDate today = now.date();
    if (!(nowText < plan.dateTime)) {
        step.message = Overdue;
        step.overdue = true;
    } else if (nowText.left(10) == plan.date()) {
        step.message = Today;
    } else if (aheadMark(plan, settings)
        && !(PlanText::date(today.addDays(settings.DayBefore)) < plan.date())) {
        const QDate day = PlanText::parseDate(plan.date());
        if (day.isValid())
            step.message = QString::number(today.daysTo(day)) + DaysAheadSuffix;
    }
    step.show = !step.message.isEmpty() && plan.modeNumber() != PlanRecord::Daily && !plan.dateTime.isEmpty();
    return step;
}

} // namespace vesk
