#pragma once

#include "plan/PlanRecord.h"

#include <QDateTime>

namespace vesk {

// What the minute tick does with the earliest plan once its time has come:
// an action keyword is carried out while the tick is within its allowance
// after the plan's time (a machine that slept past it skips the action),
// an ordinary plan of today raises the alert, one of an earlier day passes
// silently.
class DueCheck final
{
public:
    enum class Case {
        Connect, // "@Connect@" in dial-up mode
        Disconnect, // "@Disconnect@" in dial-up mode
        MailCheck, // "@MailCheck@"
        Launcher, // "@LNCnn...@"
        PowerOff, // "@PowerOFF@"
        TimeSignal, // "@TimeSignal@"
        OldPlan, // an ordinary plan of an earlier day
        Alert, // an ordinary plan of today
    };

    struct Decision
    {
        Case what = Case::Alert;
        bool withinAllowance = false;
        int launcherEntry = 0;
    };

    // Whether the plan is due at `now`.
    static bool due(const PlanRecord &plan, const QDateTime &now);
    // `comment` is the plan's comment as the program keeps it.
    static Decision decide(
        const PlanRecord &plan, const QString &comment, const QDateTime &now, bool dialUpMode);
    // Minutes after the plan's time in which its action still runs.
    static int allowance(Case what);
};

} // namespace vesk
