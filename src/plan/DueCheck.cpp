#include "plan/DueCheck.h"

#include "plan/PlanText.h"

namespace vesk {

bool DueCheck::due(const PlanRecord &plan, const QDateTime &now)
{
    return !(PlanText::minute(now) < plan.dateTime);
}

int DueCheck::allowance(Case what)
{
    switch (what) {
    case Case::Connect:
    case Case::Disconnect:
        return 10;
    case Case::MailCheck:
    case Case::Launcher:
    case Case::PowerOff:
    case Case::TimeSignal:
        return 1;
    case Case::OldPlan:
    case Case::Alert:
        break;
    }
    return 0;
}

DueCheck::Decision DueCheck::decide(
    const PlanRecord &plan, const QString &comment, const QDateTime &now, bool dialUpMode)
{
    const QString trimmed = comment.trimmed();
    const QString keyword = trimmed.toUpper();
    Decision decision;
    if (dialUpMode && keyword == QLatin1String("@CONNECT@")) {
        decision.what = Case::Connect;
    } else if (dialUpMode && keyword == QLatin1String("@DISCONNECT@")) {
        decision.what = Case::Disconnect;
    } else if (keyword == QLatin1String("@MAILCHECK@")) {
        decision.what = Case::MailCheck;
    } else if (keyword.startsWith(QLatin1String("@LNC")) && trimmed.endsWith(u'@')) {
        decision.what = Case::Launcher;
        decision.launcherEntry = PlanText::number(trimmed.mid(4, 2), 0);
    } else if (keyword == QLatin1String("@POWEROFF@")) {
        decision.what = Case::PowerOff;
    } else if (keyword == QLatin1String("@TIMESIGNAL@")) {
        decision.what = Case::TimeSignal;
    } else {
        decision.what = PlanText::minute(now).left(10) != plan.date() ? Case::OldPlan : Case::Alert;
        return decision;
    }
    // A time that cannot be read has no allowance: its action never runs.
    const QDateTime planned = QDateTime::fromString(plan.dateTime, QStringLiteral("yyyy/MM/dd HH:mm"));
    if (planned.isValid()) {
        const QString limit = PlanText::minute(planned.addSecs(60 * allowance(decision.what)));
        decision.withinAllowance = !(limit < PlanText::minute(now));
    }
    return decision;
}

} // namespace vesk
