#include "app/AccessoriesController.h"

#include "extras/notes/StickyNoteBridge.h"
#include "extras/slideshow/Slideshow.h"
#include "mail/CoreServices.h"
#include "pelma/NotePlaces.h"
#include "platform/Messenger.h"
#include "platform/Paths.h"
#include "settings/Settings.h"
#include "store/MessageStore.h"

namespace vesk {

struct AccessoriesController::Accessories
{
    Accessories(const CoreServices &core, SettingsStore &settingsStore)
        : notes(std::make_unique<StickyNoteBridge>(
            NotePlaces::standard(), settingsStore, core.messenger, core.pump))
        , slideshow(QStringList { core.store.root(), paths::shippedDir() }, core.messenger, core.timers)
    { }

    std::unique_ptr<StickyNoteBridge> notes;
    Slideshow slideshow;
    bool started = false; // the pictures were read (FormCreate)
};

AccessoriesController::AccessoriesController(
    const CoreServices &core, SettingsStore &settingsStore, Settings &settings)
    : m_core(core)
    , m_settingsStore(settingsStore)
    , m_settings(settings)
{ }

AccessoriesController::~AccessoriesController() = default;

AccessoriesController::Accessories &AccessoriesController::accessories()
{
    if (!m_accessories)
        m_accessories = std::make_unique<Accessories>(m_core, m_settingsStore);
    return *m_accessories;
}

void AccessoriesController::setPictureArea(PictureArea *area)
{
    accessories().slideshow.setPictureArea(area);
}

StickyNoteBridge &AccessoriesController::stickyNotes()
{
    return *accessories().notes;
}

const Slideshow &AccessoriesController::slideshow()
{
    return accessories().slideshow;
}

bool AccessoriesController::noteProgramPresent()
{
    return stickyNotes().programPresent();
}

void AccessoriesController::accessoriesStart()
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

void AccessoriesController::settingsReadForAccessories()
{
    // MultiJpgCo is written at the end; until then the slideshow's count is
    // the one that holds. SlideSpeed takes effect with the next folder.
    if (!m_accessories || !m_accessories->started)
        return;
    m_settings.MultiJpgCo = m_accessories->slideshow.folderIndex();
    m_accessories->slideshow.setSlideSpeed(m_settings.SlideSpeed);
}

void AccessoriesController::animationLayoutChanged(StripLayout before, StripLayout now)
{
    if (!m_accessories || !m_accessories->started)
        return;
    Slideshow &show = m_accessories->slideshow;
    // timSlide runs while the mail layout is shown.
    if (now == StripLayout::MailOn) {
        if (before != StripLayout::MailOn)
            show.start();
        return;
    }
    show.stop();
    // Back to normal from the mail layout: the next picture set next time.
    if (before == StripLayout::MailOn && now == StripLayout::Normal && show.nextSet())
        m_settings.MultiJpgCo = show.folderIndex();
}

void AccessoriesController::rewindAnimation()
{
    if (m_accessories && m_accessories->started)
        m_accessories->slideshow.rewind();
}

QString AccessoriesController::mailWave() const
{
    // The picture set's own sound first.
    if (m_accessories && !m_accessories->slideshow.wave().isEmpty())
        return m_accessories->slideshow.wave();
    return m_settings.MailWave;
}

void AccessoriesController::stickyNoteOptionChanged()
{
    if (m_settings.PelmaMenuEnabled)
        stickyNotes().optionChanged(m_settings.Pelma);
}

void AccessoriesController::sendToStickyNote(const QString &text)
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

void AccessoriesController::reminderToStickyNote(const QString &date, const QString &comment)
{
    if (m_settings.PelmaItemsEnabled)
        stickyNotes().addNote(date, comment);
}

void AccessoriesController::toggleStickyNotes()
{
    if (m_settings.PelmaItemsEnabled)
        stickyNotes().toggleNotes();
}

void AccessoriesController::openStickyNoteEditor()
{
    if (m_settings.PelmaItemsEnabled)
        stickyNotes().openEditor();
}

void AccessoriesController::accessoriesShutdown()
{
    if (!m_accessories)
        return;
    m_accessories->slideshow.stop();
    // Every program this one started is asked to close.
    m_accessories->notes->closeStarted();
}

} // namespace vesk
