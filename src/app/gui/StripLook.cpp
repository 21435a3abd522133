#include "app/gui/StripLook.h"

#include "extras/settings/gui/DesktopColor.h"
#include "settings/FontStyleBits.h"
#include "settings/Settings.h"

namespace vesk::look {

QColor color(ColorValue value)
{
    return desktopColor(value);
}

QFont titleFont(const Settings &settings)
{
    QFont font(settings.FontName);
    font.setPointSize(qBound(6, settings.FontSize, 48));
    const FontStyleBits style(settings.FontStyle);
    font.setBold(style.has(FontStyleBits::Bold));
    font.setItalic(style.has(FontStyleBits::Italic));
    font.setUnderline(style.has(FontStyleBits::Underline));
    font.setStrikeOut(style.has(FontStyleBits::StrikeOut));
    return font;
}

QColor activeCaption()
{
    return classicActiveCaption();
}

QColor inactiveCaption()
{
    return classicInactiveCaption();
}

} // namespace vesk::look
