#pragma once

#include <QString>

namespace vesk {

// The announcements that sound.
enum class SoundEvent { NewMail, PlanAlarm };

// Sounds of announcements (new mail, a plan's alert). Playing never waits and
// never shows a message: a sound that cannot be played is a beep instead.
class Sound
{
public:
    virtual ~Sound() = default;

    // Starts playing the wave file `waveFile`; an empty name plays the
    // desktop sound theme's sound for `event`. A missing file, one that
    // cannot be played, or a theme without the sound gives the standard beep;
    // a desktop with its event sounds switched off stays silent.
    virtual void play(const QString &waveFile, SoundEvent event) = 0;
};

// The desktop's sound theme (freedesktop sound naming).
class SoundTheme
{
public:
    enum class Result { Playing, Silenced, Unavailable };

    virtual ~SoundTheme() = default;
    virtual Result play(SoundEvent event) = 0;
};

// The sound naming specification's name of the event's sound.
inline const char *soundThemeEventId(SoundEvent event)
{
    return event == SoundEvent::NewMail ? "message-new-email" : "alarm-clock-elapsed";
}

} // namespace vesk
