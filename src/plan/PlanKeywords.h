#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vesk {

// The plan editor's "定義済" menu: the action keywords a plan's comment can
// hold, and one item per launcher entry.
class PlanKeywords final
{
public:
    struct Item
    {
        QString caption;
        QString comment; // what the comment becomes
        bool separatorBefore = false;
    };

    // The two modem items only in dial-up mode; the launcher items after a
    // separator, one per entry, by their display names.
    static QList<Item> items(bool dialUpMode, const QStringList &launcherCaptions);
    // "@LNC", the entry's index "%.2d", "：", its caption, "@".
    static QString launcherComment(int index, const QString &caption);
};

} // namespace vesk
