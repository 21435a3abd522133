#include "plan/PlanRepeat.h"

#include "plan/PlanText.h"

namespace vesk {
namespace {

// Hand-edited dates such as year 0001 step a long way; nothing steps for ever.
constexpr int MaxSteps = 200000;

QString nextYear(const QString &dateTime)
{
    return PlanText::fourDigits(PlanText::number(dateTime.left(4), 1998) + 1) + dateTime.mid(4);
}

QString nextMonth(const QString &dateTime)
{
    int year = PlanText::number(dateTime.left(4), 1998);
    int month = PlanText::number(dateTime.mid(5, 2), 0);
    if (dateTime.mid(5, 2) == QLatin1String("12") || month >= 12) {
        month = 1;
        ++year;
    } else {
        month = std::max(month, 0) + 1;
    }
    return PlanText::fourDigits(year) + QLatin1Char('/') + PlanText::twoDigits(month) + dateTime.mid(7);
}

// A weekly plan whose date is unreadable starts again from this week's
// occurrence of its weekday.
QDate weeklyBase(const PlanRecord &plan, const QDate &today)
{
    const QDate stored = PlanText::parseDate(plan.date());
    if (stored.isValid())
        return stored;
    const int weekday = PlanText::number(plan.weekday, 0);
    if (weekday < 1 || weekday > 7)
        return today;
    return today.addDays(weekday - PlanText::weekdayIndex(today));
}

} // namespace

QString PlanRepeat::next(const PlanRecord &plan, const QDateTime &now)
{
    const QString nowText = PlanText::minute(now);
    QString dateTime = plan.dateTime;
    switch (plan.modeNumber()) {
    case PlanRecord::Yearly:
        for (int i = 0; i < MaxSteps && !(nowText < dateTime); ++i)
            dateTime = nextYear(dateTime);
        break;
    case PlanRecord::Monthly:
        for (int i = 0; i < MaxSteps && !(nowText < dateTime); ++i)
            dateTime = nextMonth(dateTime);
        break;
    case PlanRecord::Weekly: {
        QDate day = weeklyBase(plan, now.date());
        const QString time = plan.time();
        dateTime = PlanText::date(day) + QLatin1Char(' ') + time;
        for (int i = 0; i < MaxSteps && !(nowText < dateTime); ++i) {
            day = day.addDays(7);
            dateTime = PlanText::date(day) + QLatin1Char(' ') + time;
        }
        break;
    }
    case PlanRecord::Daily:
        dateTime = PlanText::date(now.date()) + QLatin1Char(' ') + plan.time();
        if (!(nowText < dateTime))
            dateTime = PlanText::date(now.date().addDays(1)) + QLatin1Char(' ') + plan.time();
        break;
    default:
        break;
    }
    return dateTime;
}

std::optional<QString> PlanRepeat::repaired(const PlanRecord &plan)
{
    const int mode = plan.modeNumber();
    if (mode != PlanRecord::Yearly && mode != PlanRecord::Monthly)
        return std::nullopt;
    if (PlanText::parseDate(plan.date()).isValid())
        return std::nullopt;
    return mode == PlanRecord::Yearly ? nextYear(plan.dateTime) : nextMonth(plan.dateTime);
}

} // namespace vesk
