#include "plan/gui/CalendarColors.h"

#include "settings/Settings.h"

#include <QApplication>
#include <QPalette>

namespace vesk {

QColor CalendarColors::color(ColorValue value)
{
    if (!value.isSystemColor())
        return QColor(value.red(), value.green(), value.blue());
    // The old desktop's system colours that a calendar colour may name.
    const QPalette palette = QApplication::palette();
    switch (value.systemIndex()) {
    case 5: // clWindow
        return palette.color(QPalette::Base);
    case 8: // clWindowText
        return palette.color(QPalette::Text);
    case 15: // clBtnFace
        return palette.color(QPalette::Button);
    case 18: // clBtnText
        return palette.color(QPalette::ButtonText);
    default:
        return palette.color(QPalette::WindowText);
    }
}

ColorValue CalendarColors::weekValue(const Settings &s, int number)
{
    switch (number) {
    case 1:
        return s.WeekColor1;
    case 2:
        return s.WeekColor2;
    case 3:
        return s.WeekColor3;
    case 4:
        return s.WeekColor4;
    case 5:
        return s.WeekColor5;
    case 6:
        return s.WeekColor6;
    default:
        return s.WeekColor7;
    }
}

QColor CalendarColors::week(const Settings &settings, int number)
{
    return color(weekValue(settings, number));
}

} // namespace vesk
