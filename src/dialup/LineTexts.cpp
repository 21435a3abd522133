#include "dialup/LineTexts.h"

#include <cmath>

namespace vesk::linetext {

QString connectTime(int ticks)
{
    const int h = ticks / 360;
    const int m = (ticks % 360) / 6;
    const int s = (ticks % 6) * 10;
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

QString speed(qint64 bitsPerSecond)
{
    const qint64 tenths = std::llround(double(bitsPerSecond) / 100.0);
    QString text = QString::number(tenths / 10);
    if (tenths % 10 != 0)
        text += QLatin1Char('.') + QString::number(tenths % 10);
    return text + QStringLiteral(" Kbps");
}

} // namespace vesk::linetext
