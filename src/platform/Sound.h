#pragma once

#include <QString>

namespace vesk {

// Sounds of announcements (new mail, a plan's alert). Playing never waits and
// never shows a message: a sound that cannot be played is a beep instead.
class Sound
{
public:
    virtual ~Sound() = default;

    // Starts playing the wave file `waveFile`; an empty name, a missing file
    // or one that cannot be played gives the standard beep.
    virtual void play(const QString &waveFile) = 0;
};

} // namespace vesk
