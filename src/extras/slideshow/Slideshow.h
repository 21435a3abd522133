#pragma once

#include "extras/slideshow/PictureFolders.h"

#include <QStringList>

#include <memory>

namespace vesk {

class Messenger;
class PictureArea;
class Timer;
class TimerFactory;

// The new-mail animation: the pictures of the current picture folder shown
// one after the other on timSlide while the strip is in its mail layout.
// Each return to the normal layout makes the next folder current for the
// next time (MultiJpgCo). Without a picture area (no windows) nothing is
// decoded and every picture counts as shown.
class Slideshow final
{
public:
    // Intervals below this are taken as this: decoding a picture every
    // millisecond would only load the machine.
    static constexpr int MinInterval = 20;

    // `places`: where picture folders are looked for, the user's first.
    Slideshow(QStringList places, Messenger &messenger, TimerFactory &timers);
    ~Slideshow();

    void setPictureArea(PictureArea *area) { m_area = area; }
    // SlideSpeed, taken by the next JpgFileSerch.
    void setSlideSpeed(int ms) { m_slideSpeed = ms; }
    // MultiJpgCo as stored.
    void setFolderIndex(int index) { m_folderIndex = index; }

    // The folder list, at start-up.
    void MultiJpgRead();
    // Loads the current folder and shows its first picture.
    void JpgFileSerch();
    // The next picture.
    void timSlideTimer();

    // timSlide on (entering the mail layout) and off (leaving it).
    void start();
    void stop();
    // timSlide off and the first picture shown again (a mailer is started).
    void rewind();
    bool running() const;
    // Back in the normal layout from the mail layout: the next folder, the
    // first after the last, when there are two or more. True when it moved.
    bool nextSet();

    const QStringList &folders() const { return m_folders; }
    int folderIndex() const { return m_folderIndex; }
    const QStringList &pictures() const { return m_set.pictures; }
    int lastIndex() const { return int(m_set.pictures.size()) - 1; }
    int currentIndex() const { return m_current; }
    // The current folder's sound; empty when it has none.
    QString wave() const { return m_set.wave; }
    // timSlide's interval in milliseconds; 0 or less: the picture stays.
    int interval() const { return m_interval; }

private:
    bool show(const QString &path);
    void clearPicture();

    QStringList m_places;
    Messenger &m_messenger;
    std::unique_ptr<Timer> m_timSlide;
    PictureArea *m_area = nullptr;

    QStringList m_folders;
    int m_folderIndex = 0;
    int m_slideSpeed = PictureFolders::DefaultInterval;
    PictureSet m_set;
    int m_current = 0;
    int m_interval = PictureFolders::DefaultInterval;
};

} // namespace vesk
