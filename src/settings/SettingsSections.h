#pragma once

#include <QString>
#include <QStringList>

namespace vesk::sections {

inline const QString Config = QStringLiteral("Config");
inline const QString Disp = QStringLiteral("Disp");
inline const QString Plan = QStringLiteral("Plan");
inline const QString Luncher = QStringLiteral("Luncher");
inline const QString Devide = QStringLiteral("Devide");
inline const QString Pelma = QStringLiteral("Pelma");
inline const QString Temp = QStringLiteral("Temp");

// Every section, in the order in which erasing all settings removes them.
inline QStringList all()
{
    return { Config, Plan, Disp, Luncher, Devide, Pelma, Temp };
}

} // namespace vesk::sections
