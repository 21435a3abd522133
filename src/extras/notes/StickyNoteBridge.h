#pragma once

#include "pelma/NotePlaces.h"

#include <QList>
#include <QString>

namespace vesk {

class EventPump;
class Messenger;
class SettingsStore;

// Vesk's side of the sticky notes: it starts the note program, hands it
// commands over its per-user socket (what a window message was), and hands
// over the text of a new note in the settings (PelmaDate, PelmaComm). The
// note program's socket standing is what "its window exists" means.
class StickyNoteBridge final
{
public:
    // How long a running note program may take to answer a command.
    static constexpr int ReplyTimeoutMs = 5000;
    // How long a note program just started may take to take its hand-over.
    static constexpr int HandOverWaitMs = 5000;

    StickyNoteBridge(NotePlaces places, SettingsStore &settings, Messenger &messenger, EventPump &pump);

    const NotePlaces &places() const { return m_places; }
    // The note program is there to be started.
    bool programPresent() const;
    // At least one note file ("Pelma*.ID").
    bool notesExist() const;
    // The note program runs (its lock is held).
    bool running() const;

    // PelmaDisp: starts the note program with the command, unless it runs.
    // False when it runs already or could not be started.
    bool PelmaDisp(const QString &command);
    // SendPelma: the command to the running program. False when none runs
    // or it did not take the command.
    bool SendPelma(const QString &command);
    // The rule of the note buttons: sent when it runs, else started with it.
    void deliver(const QString &command);

    // A new note: the hand-over written, then "/PelmaAdd".
    void addNote(const QString &date, const QString &text);
    // "付箋紙 ON/OFF(&F)": the notes hidden or shown, or brought up.
    void toggleNotes();
    // "付箋紙設定(&B)...": the note editor.
    void openEditor();
    // "付箋紙(&7)" ticked: the notes come up; unticked: the program closes.
    void optionChanged(bool ticked);
    // Start-up: the notes come up unless PelmaHide (`hidden`).
    void startUp(bool itemsEnabled, bool hidden);
    // The end of Vesk: a note program it started is asked to close.
    void closeStarted();

    // Process ids of the note programs started by this run.
    const QList<qint64> &startedPids() const { return m_started; }

private:
    NotePlaces m_places;
    SettingsStore &m_settings;
    Messenger &m_messenger;
    EventPump &m_pump;
    QList<qint64> m_started;
    bool m_busy = false; // a delivery waits (events are served meanwhile)
};

} // namespace vesk
