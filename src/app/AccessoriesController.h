#pragma once

#include "display/StripRules.h"

#include <QString>

#include <memory>

namespace vesk {

class PictureArea;
class SettingsStore;
class Slideshow;
class StickyNoteBridge;
struct CoreServices;
struct Settings;

// The accessories beside the mail: the bridge to the sticky-note program and
// the new-mail slideshow, made the first time they are wanted. They read
// the settings as last read, and keep the slideshow's folder count in them.
class AccessoriesController final
{
public:
    AccessoriesController(const CoreServices &core, SettingsStore &settingsStore, Settings &settings);
    ~AccessoriesController();

    // The strip's picture area; without one (headless) nothing is drawn.
    void setPictureArea(PictureArea *area);
    // The quick view's "付箋貼付" (spbPelmaClick): the text chosen in its
    // pane (all of it when nothing is selected) becomes a note. An empty
    // pane beeps and says so.
    void sendToStickyNote(const QString &text);
    // The reminder's "付箋紙貼付(&G)" (btnCopyClick): its date and comment.
    void reminderToStickyNote(const QString &date, const QString &comment);
    // "付箋紙 ON/OFF(&F)" (mnuPelmaAllClick) and "付箋紙設定(&B)..."
    // (mnuWriteClick); both only while "付箋紙(&7)" is ticked and enabled.
    void toggleStickyNotes();
    void openStickyNoteEditor();
    StickyNoteBridge &stickyNotes();
    const Slideshow &slideshow();

    // --- What the resident program tells it ---

    bool noteProgramPresent();
    // FormCreate: the picture folders, then the notes unless PelmaHide.
    void accessoriesStart();
    // The settings were read again.
    void settingsReadForAccessories();
    // The strip changed its layout: the slideshow runs with the mail layout.
    void animationLayoutChanged(StripLayout before, StripLayout now);
    void rewindAnimation();
    // The new-mail sound: the picture set's own, or the settings'.
    QString mailWave() const;
    // "付箋紙(&7)" ticked or unticked.
    void stickyNoteOptionChanged();
    void accessoriesShutdown();

private:
    struct Accessories;
    Accessories &accessories();

    const CoreServices &m_core;
    SettingsStore &m_settingsStore;
    Settings &m_settings;
    std::unique_ptr<Accessories> m_accessories;
};

} // namespace vesk
