#pragma once

#include "platform/Sound.h"

#include <QObject>

#include <functional>

class QSoundEffect;

namespace vesk {

// Plays wave files through Qt Multimedia and, without one, the sound theme's
// sound. A later sound cuts off the one still playing; whatever cannot be
// played is the beep given.
class QtSound final : public QObject, public Sound
{
    Q_OBJECT
public:
    QtSound(std::function<void()> beep, SoundTheme *theme, QObject *parent = nullptr);
    ~QtSound() override;

    void play(const QString &waveFile, SoundEvent event) override;

private:
    void onStatusChanged();
    void stop();

    std::function<void()> m_beep;
    SoundTheme *m_theme;
    QSoundEffect *m_effect = nullptr;
};

} // namespace vesk
