#include "extras/slideshow/Slideshow.h"

#include "extras/slideshow/PictureArea.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"

#include <QFileInfo>

namespace vesk {

Slideshow::Slideshow(QStringList places, Messenger &messenger, TimerFactory &timers)
    : m_places(std::move(places))
    , m_messenger(messenger)
    , m_timSlide(timers.create())
{
    m_timSlide->setInterval(m_interval);
    m_timSlide->setCallback([this] { timSlideTimer(); });
}

Slideshow::~Slideshow() = default;

void Slideshow::MultiJpgRead()
{
    bool anyFolder = false;
    m_folders = PictureFolders::list(m_places, &anyFolder);
    if (!anyFolder) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("JpgDataフォルダがありません。"));
    }
}

void Slideshow::JpgFileSerch()
{
    if (m_folders.isEmpty()) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("JpgDataフォルダが存在しません"));
        return;
    }
    m_set = {};
    // A stored index from another set of folders (or edited by hand).
    if (m_folderIndex < 0 || m_folderIndex >= m_folders.size())
        m_folderIndex = 0;
    const QString folder = m_folders.at(m_folderIndex);
    m_set = PictureFolders::scan(folder);
    if (m_set.empty) {
        m_messenger.beep();
        m_messenger.message(QStringLiteral("画像ファイルがありません"));
    }
    m_current = 0;
    if (m_set.pictures.isEmpty()) {
        clearPicture();
    } else if (!show(m_set.pictures.first())) {
        clearPicture();
        m_messenger.message(folder + QStringLiteral("内の「") + QFileInfo(m_set.pictures.first()).fileName()
            + QStringLiteral("」のファイルを削除してVeskを再立ち上げしてください。"));
    }
    m_interval = m_slideSpeed;
    if (!m_set.speedFile.isEmpty())
        m_interval = PictureFolders::speedFromFile(m_set.speedFile);
    if (m_interval > 0)
        m_timSlide->setInterval(std::max(m_interval, MinInterval));
}

void Slideshow::timSlideTimer()
{
    const int last = lastIndex();
    if (last == 0) {
        // One picture, already shown.
        m_timSlide->stop();
        return;
    }
    if (last < 0)
        return;
    m_current = m_current >= last ? 0 : m_current + 1;
    const QString path = m_set.pictures.at(m_current);
    if (show(path))
        return;
    clearPicture();
    m_timSlide->stop();
    m_messenger.message(
        QStringLiteral("Jpgdata内の画像を表示させることが出来ません。\r\n"
                       "Veskの画像を変更した時は、Veskを一度終了させ再立ち上げして下さい。\r\n"
                       "それでも駄目なときは、画像ファイルが壊れている可能性があります。\r\n"
                       "その時は、「")
        + path + QStringLiteral("」を削除してください"));
}

void Slideshow::start()
{
    // An interval of 0 or less keeps the first picture, as a timer that
    // never fires would.
    if (m_interval > 0)
        m_timSlide->start();
}

void Slideshow::stop()
{
    m_timSlide->stop();
}

void Slideshow::rewind()
{
    m_timSlide->stop();
    if (m_current == 0 || m_set.pictures.isEmpty())
        return;
    m_current = 0;
    if (!show(m_set.pictures.first()))
        clearPicture();
}

bool Slideshow::running() const
{
    return m_timSlide->isActive();
}

bool Slideshow::nextSet()
{
    if (m_folders.size() < 2)
        return false;
    m_folderIndex = m_folderIndex + 1 >= m_folders.size() ? 0 : m_folderIndex + 1;
    JpgFileSerch();
    return true;
}

bool Slideshow::show(const QString &path)
{
    return !m_area || m_area->load(path);
}

void Slideshow::clearPicture()
{
    if (m_area)
        m_area->clear();
}

} // namespace vesk
