#pragma once

#include "settings/ColorValue.h"

#include <QColor>

namespace vesk {

struct Settings;

// The calendar's colours on this desktop: WeekColor1..7 as QColors.
class CalendarColors final
{
public:
    static QColor color(ColorValue value);
    // WeekColorN, N from 1 to 7.
    static QColor week(const Settings &settings, int number);
    static ColorValue weekValue(const Settings &settings, int number);
};

} // namespace vesk
