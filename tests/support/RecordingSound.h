#pragma once

#include "platform/Sound.h"

#include <QStringList>

namespace vesk::test {

// Keeps the name of every sound the core would have played ("" a beep).
class RecordingSound final : public Sound
{
public:
    void play(const QString &waveFile) override { played << waveFile; }

    QStringList played;
};

} // namespace vesk::test
