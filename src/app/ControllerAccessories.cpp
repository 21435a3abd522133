#include "app/Controller.h"
#include "extras/notes/StickyNoteBridge.h"
#include "extras/slideshow/Slideshow.h"
#include "mail/CoreServices.h"
#include "pelma/NotePlaces.h"
#include "platform/Messenger.h"
#include "platform/Paths.h"
#include "store/MessageStore.h"

namespace vesk {

// The bridge to the note program and the new-mail slideshow, made the first
// time they are wanted.
struct Controller::Accessories
{
    Accessories(Controller &c)
        : notes(std::make_unique<StickyNoteBridge>(
            NotePlaces::standard(), c.m_settingsStore, c.m_core.messenger, c.m_core.pump))
        , slideshow(
              QStringList { c.m_core.store.root(), paths::shippedDir() }, c.m_core.messenger, c.m_core.timers)
    { }

    std::unique_ptr<StickyNoteBridge> notes;
    Slideshow slideshow;
    bool started = false; // the pictures were read (FormCreate)
};

void Controller::AccessoriesDeleter::operator()(Accessories *accessories) const
{
    delete accessories;
}

Controller::Accessories &Controller::accessories()
{
    if (!m_accessories)
        m_accessories.reset(new Accessories(*this));
    return *m_accessories;
}

void Controller::setPictureArea(PictureArea *area)
{
    accessories().slideshow.setPictureArea(area);
}

StickyNoteBridge &Controller::stickyNotes()
{
    return *accessories().notes;
}

const Slideshow &Controller::slideshow()
{
    return accessories().slideshow;
}

bool Controller::noteProgramPresent()
{
    return stickyNotes().programPresent();
}

void Controller::accessoriesStart()
{
    // FormCreate: the picture folders, then the notes unless PelmaHide.
    Accessories &a = accessories();
    a.slideshow.setSlideSpeed(m_settings.SlideSpeed);
    a.slideshow.setFolderIndex(m_settings.MultiJpgCo);
    a.slideshow.MultiJpgRead();
    a.slideshow.JpgFileSerch();
    a.started = true;
    m_settings.MultiJpgCo = a.slideshow.folderIndex();
    a.notes->startUp(m_settings.PelmaItemsEnabled, m_settings.PelmaHide);
}

void Controller::settingsReadForAccessories()
{
    // MultiJpgCo is written at the end; until then the slideshow's count is
    // the one that holds. SlideSpeed takes effect with the next folder.
    if (!m_accessories || !m_accessories->started)
        return;
    m_settings.MultiJpgCo = m_accessories->slideshow.folderIndex();
    m_accessories->slideshow.setSlideSpeed(m_settings.SlideSpeed);
}

void Controller::animationLayoutChanged(StripLayout before)
{
    if (!m_accessories || !m_accessories->started)
        return;
    Slideshow &show = m_accessories->slideshow;
    // timSlide runs while the mail layout is shown.
    if (m_layout == StripLayout::MailOn) {
        if (before != StripLayout::MailOn)
            show.start();
        return;
    }
    show.stop();
    // Back to normal from the mail layout: the next picture set next time.
    if (before == StripLayout::MailOn && m_layout == StripLayout::Normal && show.nextSet())
        m_settings.MultiJpgCo = show.folderIndex();
}

void Controller::rewindAnimation()
{
    if (m_accessories && m_accessories->started)
        m_accessories->slideshow.rewind();
}

QString Controller::mailWave() const
{
    // The picture set's own sound first.
    if (m_accessories && !m_accessories->slideshow.wave().isEmpty())
        return m_accessories->slideshow.wave();
    return m_settings.MailWave;
}

void Controller::stickyNoteOptionChanged()
{
    if (m_settings.PelmaMenuEnabled)
        stickyNotes().optionChanged(m_settings.Pelma);
}

void Controller::sendToStickyNote(const QString &text)
{
    if (!m_settings.PelmaItemsEnabled)
        return;
    if (text.isEmpty()) {
        m_core.messenger.beep();
        m_core.messenger.message(QStringLiteral("Pelmaに貼り付ける文章がありません。"));
        return;
    }
    stickyNotes().addNote(QString(), text);
}

void Controller::reminderToStickyNote(const QString &date, const QString &comment)
{
    if (m_settings.PelmaItemsEnabled)
        stickyNotes().addNote(date, comment);
}

void Controller::toggleStickyNotes()
{
    if (m_settings.PelmaItemsEnabled)
        stickyNotes().toggleNotes();
}

void Controller::openStickyNoteEditor()
{
    if (m_settings.PelmaItemsEnabled)
        stickyNotes().openEditor();
}

void Controller::accessoriesShutdown()
{
    if (!m_accessories)
        return;
    m_accessories->slideshow.stop();
    // Every program this one started is asked to close.
    m_accessories->notes->closeStarted();
}

} // namespace vesk
