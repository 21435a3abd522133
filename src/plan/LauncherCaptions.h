#pragma once

#include <QStringList>

namespace vesk {

// The display names of the launcher entries, in menu order, from the lines
// of section Luncher ("00=name,program,..."). Only the name is read here;
// the launcher itself reads the rest.
class LauncherCaptions final
{
public:
    static QStringList fromSection(const QStringList &lines);
    // The first item of a launcher row's comma text.
    static QString firstItem(QStringView data);
};

} // namespace vesk
