#pragma once

#include "plan/PlanRecord.h"

#include <QDateTime>
#include <QString>

namespace vesk {

struct Settings;

// One step of the start-up reminder pass: what a plan met at start-up
// tells the user. Overdue plans, plans of today and plans within the
// announcement period (DayBefore days, for the modes whose Before... setting
// is on) raise a reminder window; daily plans and action plans never do.
class ReminderPass final
{
public:
    static inline const QString Overdue = QStringLiteral("予定が過ぎています");
    static inline const QString Today = QStringLiteral("本日予定があります");
    static inline const QString DaysAheadSuffix = QStringLiteral("日後に予定があります");

    struct Step
    {
        bool action = false; // an action plan: no message, its time does the work
        bool overdue = false; // its time has passed
        QString message; // the reminder window's caption
        bool show = false; // a reminder window opens
    };

    static Step judge(const PlanRecord &plan, const Settings &settings, const QDateTime &now);

    // Announced ahead of its day: BeforeOne, BeforeYear, BeforeMonth or
    // BeforeWeek for modes 0-3; never for other modes.
    static bool aheadMark(const PlanRecord &plan, const Settings &settings);
};

} // namespace vesk
