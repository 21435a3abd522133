#pragma once

#include "plan/PlanRecord.h"

#include <QDateTime>

#include <optional>

namespace vesk {

// When a repeating plan comes again.
class PlanRepeat final
{
public:
    // PlanReWrite's next due time of a plan that has fired or is overdue:
    // yearly, monthly and weekly plans step on until they lie after `now`;
    // a daily plan is due today at its time, or tomorrow when that has
    // passed. A one-off plan (or an unknown mode) keeps its date-time.
    // A monthly plan keeps its day even where the month has no such day;
    // the next load repairs it.
    static QString next(const PlanRecord &plan, const QDateTime &now);

    // PlanRegRead's repair of a yearly or monthly plan whose day does not
    // exist: a year on (yearly), a month on (monthly). Nothing when the date
    // exists or the plan repeats otherwise.
    static std::optional<QString> repaired(const PlanRecord &plan);
};

} // namespace vesk
