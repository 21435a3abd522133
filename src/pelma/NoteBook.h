#pragma once

#include "pelma/NoteFile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vesk {

// The notes' folder: one "Pelma*.ID" file per note, each written whole
// through DurableFile, so that a crash or a kill leaves every note as it was
// last saved.
class NoteBook final
{
public:
    static constexpr qint64 MaxFileSize = 1024 * 1024;
    static constexpr int MaxNotes = 500;

    explicit NoteBook(QString folder);

    const QString &folder() const { return m_folder; }

    // Every note, in file-name order (the order they were made). A file that
    // is too large, or beyond MaxNotes, is left alone and named in `problems`.
    QList<Note> load(QStringList *problems = nullptr) const;
    // Gives the note a new file name and writes it.
    bool add(Note &note, QString *error = nullptr);
    bool save(const Note &note, QString *error = nullptr);
    bool remove(const QString &fileName, QString *error = nullptr);

    // Whether a folder holds a note file ("Pelma*.ID").
    static bool hasNotes(const QString &folder);
    static bool isNoteName(const QString &fileName);

private:
    QString m_folder;
};

} // namespace vesk
