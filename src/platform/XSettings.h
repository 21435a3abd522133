#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <optional>

namespace vesk {

// The desktop settings an XSETTINGS manager publishes on the X server
// (gnome-settings-daemon, xfsettingsd, xsettingsd under Plasma): the value of
// the _XSETTINGS_SETTINGS property, as the XSETTINGS specification 0.5 lays it
// out. Colours are skipped; integers and strings are kept.
struct XSettings
{
    QHash<QByteArray, qint32> integers;
    QHash<QByteArray, QByteArray> strings;

    // Nothing when the bytes are not a whole, well-formed settings list.
    static std::optional<XSettings> parse(QByteArrayView bytes);
};

// The desktop's sound settings as libcanberra-gtk would take them from there:
// the theme's name (empty: none chosen) and the event-sounds switch.
struct DesktopSoundSettings
{
    QByteArray themeName;
    bool eventSounds = true;

    static DesktopSoundSettings from(const XSettings &settings);
};

} // namespace vesk
