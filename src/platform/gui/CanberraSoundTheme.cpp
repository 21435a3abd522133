#include "platform/gui/CanberraSoundTheme.h"

#include <canberra.h>

namespace vesk {

namespace {
// One sound at a time: a later one cuts off the one still playing.
constexpr uint32_t kSoundId = 1;

// Destroying a context unloads libcanberra's ALSA driver while a player
// thread of it may still be returning into its code (a crash seen here): the
// one context lives as long as the process.
ca_context *processContext()
{
    static ca_context *const context = [] {
        ca_context *made = nullptr;
        if (ca_context_create(&made) != CA_SUCCESS)
            return static_cast<ca_context *>(nullptr);
        ca_context_change_props(made, CA_PROP_APPLICATION_NAME, "Vesk", CA_PROP_APPLICATION_ID,
            "jp.example.dorvane.vesk", CA_PROP_APPLICATION_ICON_NAME, "vesk", nullptr);
        return made;
    }();
    return context;
}
} // namespace

CanberraSoundTheme::CanberraSoundTheme(DesktopSettings desktop)
    : m_desktop(std::move(desktop))
    , m_context(processContext())
{ }

CanberraSoundTheme::~CanberraSoundTheme() = default;

SoundTheme::Result CanberraSoundTheme::play(SoundEvent event)
{
    if (!m_context)
        return Result::Unavailable;
    ca_context_cancel(m_context, kSoundId);
    const DesktopSoundSettings desktop = m_desktop ? m_desktop() : DesktopSoundSettings {};
    // Switched off, libcanberra answers CA_ERROR_DISABLED and plays nothing.
    ca_context_change_props(m_context, CA_PROP_CANBERRA_XDG_THEME_NAME,
        desktop.themeName.isEmpty() ? "freedesktop" : desktop.themeName.constData(), CA_PROP_CANBERRA_ENABLE,
        desktop.eventSounds ? "1" : "0", nullptr);
    // Returns once the sound is found and started; it plays in the background.
    const int result = ca_context_play(m_context, kSoundId, CA_PROP_EVENT_ID, soundThemeEventId(event),
        CA_PROP_EVENT_DESCRIPTION, event == SoundEvent::NewMail ? "New mail" : "Plan alarm", nullptr);
    if (result == CA_SUCCESS)
        return Result::Playing;
    return result == CA_ERROR_DISABLED ? Result::Silenced : Result::Unavailable;
}

} // namespace vesk
