#pragma once

#include "platform/Sound.h"

#include <QObject>

#include <functional>

class QSoundEffect;

namespace vesk {

// Plays wave files through Qt Multimedia. A later sound cuts off the one
// still playing; whatever cannot be played is the beep given.
class QtSound final : public QObject, public Sound
{
    Q_OBJECT
public:
    explicit QtSound(std::function<void()> beep, QObject *parent = nullptr);
    ~QtSound() override;

    void play(const QString &waveFile) override;

private:
    void onStatusChanged();
    void stop();

    std::function<void()> m_beep;
    QSoundEffect *m_effect = nullptr;
};

} // namespace vesk
