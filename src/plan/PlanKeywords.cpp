#include "plan/PlanKeywords.h"

#include "plan/PlanText.h"

namespace vesk {

QList<PlanKeywords::Item> PlanKeywords::items(bool dialUpMode, const QStringList &launcherCaptions)
{
    QList<Item> list;
    list << Item { QStringLiteral("<時報>"), QStringLiteral("@TimeSignal@") };
    if (dialUpMode) {
        list << Item { QStringLiteral("<モデム自動接続>"), QStringLiteral("@Connect@") };
        list << Item { QStringLiteral("<モデム自動断線>"), QStringLiteral("@Disconnect@") };
    }
    list << Item { QStringLiteral("<電源自動切断>"), QStringLiteral("@PowerOFF@") };
    list << Item { QStringLiteral("<接-チェック-送-断>"), QStringLiteral("@MailCheck@") };
    for (int i = 0; i < launcherCaptions.size(); ++i)
        list << Item { launcherCaptions.at(i), launcherComment(i, launcherCaptions.at(i)), i == 0 };
    return list;
}

QString PlanKeywords::launcherComment(int index, const QString &caption)
{
    return QStringLiteral("@LNC") + PlanText::twoDigits(index) + QStringLiteral("：") + caption
        + QLatin1Char('@');
}

} // namespace vesk
