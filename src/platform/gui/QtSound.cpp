#include "platform/gui/QtSound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace vesk {

QtSound::QtSound(std::function<void()> beep, SoundTheme *theme, QObject *parent)
    : QObject(parent)
    , m_beep(std::move(beep))
    , m_theme(theme)
{ }

QtSound::~QtSound() = default;

void QtSound::play(const QString &waveFile, SoundEvent event)
{
    stop();
    if (waveFile.isEmpty()) {
        const SoundTheme::Result result = m_theme ? m_theme->play(event) : SoundTheme::Result::Unavailable;
        if (result == SoundTheme::Result::Unavailable)
            m_beep();
        return;
    }
    const QFileInfo file(waveFile);
    if (!file.isFile() || !file.isReadable()) {
        m_beep();
        return;
    }
    m_effect = new QSoundEffect(this);
    connect(m_effect, &QSoundEffect::statusChanged, this, &QtSound::onStatusChanged);
    m_effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    // Loading runs in the background; the sound starts once it is loaded.
    m_effect->play();
}

void QtSound::onStatusChanged()
{
    if (!m_effect || m_effect->status() != QSoundEffect::Error)
        return;
    // Not a wave file Qt can play, or no sound device: the beep instead.
    m_effect->deleteLater();
    m_effect = nullptr;
    m_beep();
}

void QtSound::stop()
{
    if (!m_effect)
        return;
    m_effect->disconnect(this);
    m_effect->stop();
    m_effect->deleteLater();
    m_effect = nullptr;
}

} // namespace vesk
