#include "plan/PlanRanks.h"

#include "plan/PlanText.h"

#include <QDateTime>

namespace vesk {

QString PlanRanks::freeName(const QString &dateTime, const Taken &taken)
{
    QString at = dateTime;
    // A day's minutes are more than enough; a text that is no time at all
    // gets its last rank.
    for (int minute = 0; minute < 24 * 60; ++minute) {
        for (int rank = 0; rank < 100; ++rank) {
            const QString name = at + QLatin1Char(' ') + PlanText::twoDigits(rank);
            if (!taken(name))
                return name;
        }
        const QDateTime when = QDateTime::fromString(at, QStringLiteral("yyyy/MM/dd HH:mm"));
        if (!when.isValid())
            break;
        at = PlanText::minute(when.addSecs(60));
    }
    return dateTime + QStringLiteral(" 99");
}

} // namespace vesk
