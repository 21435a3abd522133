#pragma once

#include "platform/Sound.h"
#include "platform/XSettings.h"

#include <functional>

struct ca_context;

namespace vesk {

// The desktop sound theme through libcanberra, which finds the sound in the
// theme (falling back to the freedesktop theme) and plays it in the sound
// server's event role, so the desktop's volume and mute for event sounds apply.
// The theme's name and the event-sounds switch are the desktop's, asked anew
// for each sound (the user may change them while Vesk runs).
class CanberraSoundTheme final : public SoundTheme
{
public:
    using DesktopSettings = std::function<DesktopSoundSettings()>;
    explicit CanberraSoundTheme(DesktopSettings desktop = {});
    ~CanberraSoundTheme() override;
    CanberraSoundTheme(const CanberraSoundTheme &) = delete;
    CanberraSoundTheme &operator=(const CanberraSoundTheme &) = delete;

    Result play(SoundEvent event) override;

private:
    DesktopSettings m_desktop;
    ca_context *m_context;
};

} // namespace vesk
