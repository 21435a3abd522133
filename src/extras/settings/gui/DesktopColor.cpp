#include "extras/settings/gui/DesktopColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace vesk {

QColor desktopColor(ColorValue value)
{
    if (!value.isSystemColor())
        return QColor(value.red(), value.green(), value.blue());
    const QPalette palette = QGuiApplication::palette();
    switch (value.systemIndex()) {
    case 2: // clActiveCaption
        return classicActiveCaption();
    case 3: // clInactiveCaption
        return classicInactiveCaption();
    case 9: // clCaptionText
        return Qt::white;
    case 19: // clInactiveCaptionText
        return QColor(0xD4, 0xD0, 0xC8);
    case 5: // clWindow
        return palette.color(QPalette::Base);
    case 8: // clWindowText
        return palette.color(QPalette::Text);
    case 13: // clHighlight
        return palette.color(QPalette::Highlight);
    case 14: // clHighlightText
        return palette.color(QPalette::HighlightedText);
    case 15: // clBtnFace
        return palette.color(QPalette::Button);
    case 16: // clBtnShadow
        return palette.color(QPalette::Dark);
    case 17: // clGrayText
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // clBtnText
        return palette.color(QPalette::ButtonText);
    default:
        return palette.color(QPalette::Window);
    }
}

QColor classicActiveCaption()
{
    return QColor(0x0A, 0x24, 0x6A);
}

QColor classicInactiveCaption()
{
    return QColor(0x80, 0x80, 0x80);
}

} // namespace vesk
