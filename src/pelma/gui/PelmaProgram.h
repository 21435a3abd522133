#pragma once

#include "pelma/NoteFile.h"
#include "pelma/PelmaCommand.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace vesk {

class NoteBook;
class NoteWindow;
class SettingsStore;
class TPelmaMainForm;

// The note program: its notes, their windows and its main window, and what
// each command does. Every change reaches the note's file: a new note at
// once, edits and moves a moment after the last keystroke or move, and all
// that is pending when the program ends.
class PelmaProgram final : public QObject
{
    Q_OBJECT

public:
    static constexpr int SaveDelayMs = 400;

    PelmaProgram(NoteBook &book, SettingsStore &settings, QObject *parent = nullptr);
    ~PelmaProgram() override;

    // Runs a command; the reply lines end with "@ok" or "@fail" and why.
    QStringList run(pelma::Command command);
    // Writes what is not yet saved.
    void saveAll();

    const QList<Note> &notes() const { return m_notes; }
    NoteWindow *window(const QString &fileName) const;
    TPelmaMainForm &mainForm() { return *m_main; }
    int visibleNotes() const;

    // The note's file is gone (after asking when `ask`).
    void deleteNote(const QString &fileName, bool ask);

signals:
    // "/PelmaClose": the program is to end.
    void quitRequested();

private:
    void addFromHandOver();
    bool newNote(const QString &date, const QString &text);
    void showNote(const QString &fileName);
    void showAll();
    void toggleShown();
    void openEditor();
    void noteEdited(const QString &fileName, const QString &text);
    void notePlaced(const QString &fileName, const QRect &place);
    void markDirty(const QString &fileName);
    int indexOf(const QString &fileName) const;
    QRect freePlace() const;
    void report(const QString &problem);
    void refreshList();

    NoteBook &m_book;
    SettingsStore &m_settings;
    QList<Note> m_notes;
    QHash<QString, NoteWindow *> m_windows;
    std::unique_ptr<TPelmaMainForm> m_main;
    QSet<QString> m_dirty;
    QTimer m_saveTimer;
    QPointer<QWidget> m_problemBox;
};

} // namespace vesk
