#pragma once

#include "platform/Clock.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace vesk {

class Messenger;
class StagedFile;

// The four box folders of the data folder.
enum class Box { InBox, InBox1, InBox2, OutBox };

// "InBox/", "InBox1/", "InBox2/", "OutBox/".
QString boxFolderName(Box box);

// The message store: one plain text file per message in the box folders of
// the data folder. The folder listing is the list of messages, the file name
// is the message's identity.
class MessageStore final
{
public:
    explicit MessageStore(QString rootDir, const Clock &clock = SystemClock::instance());

    QString root() const { return m_root; }
    // Absolute path of a box folder, with a trailing slash.
    QString folderPath(Box box) const;
    QString filePath(Box box, const QString &fileName) const;

    // Creates the four folders (OutBox, InBox, InBox1, InBox2 in this order)
    // where missing; each one that cannot be created is reported and skipped.
    // The data folder and the boxes are made (or tightened to) owner-only.
    // Temporary files that a crash left behind more than an hour ago are removed.
    void createFolders(Messenger &messenger) const;

    // 17 digits: yyyyMMddhhmmss and the milliseconds, local time.
    QString timeStampGet() const;

    // stamp + the smallest counter n for which no "stamp n .ID" exists in any
    // of the given folders + ".ID". An existing name counts whatever the case of
    // its extension.
    QString newFileName(const QString &stamp, std::initializer_list<Box> folders) const;

    // The messages of a folder: its *.ID files (extension in any case), sorted
    // by name, so numbering is arrival order. Message n is listing()[n - 1].
    // The order is plain character order of the whole name: the counter is not
    // padded, so within one millisecond counter 10 sorts before counter 2.
    // Temporary files of a save in progress never appear, nor does anything
    // but a regular file (a symbolic link, a FIFO, a device).
    QStringList listing(Box box) const;

    struct Summary
    {
        int count = 0;
        qint64 totalSize = 0;
    };
    Summary checkDir(Box box) const;

    struct Found
    {
        qint64 size = 0;
        QString fileName;
    };
    // Resolves a message number text against the current listing. The text is
    // an optional sign and decimal digits within 32 bits; anything else counts
    // as -1. -1 gives size -1 and no name; 0 gives size 0 and no name; n >= 1
    // the n-th message, or the last one when there are fewer; any other negative
    // number the last one. An empty folder gives size 0 and no name (except -1).
    Found searchFile(Box box, const QString &numberText) const;

    // The unique id of a message (X-UIDL, else Message-ID, else the file name
    // without ".ID"). Only the header is read, and at most its first megabyte.
    // Ids taken from the header hold its bytes as Latin-1, so toLatin1() gives
    // them back exactly.
    QString searchUidl(Box box, const QString &fileName) const;

    // Saves a message crash-safely: written under a temporary name that no
    // listing shows, flushed to disk, then renamed into place. `lines` are
    // written with CR LF after each. Returns false (and the reason) when the
    // message is not safely on disk; nothing is left behind then. Once true,
    // the message is listed and on disk, so no wait for it to appear is needed.
    // An existing message is never replaced: saving under a taken name fails.
    bool save(
        Box box, const QString &fileName, const QList<QByteArray> &lines, QString *error = nullptr) const;
    // The same for content that is already CR LF text.
    bool saveContent(
        Box box, const QString &fileName, const QByteArray &content, QString *error = nullptr) const;

    // Puts a message written through a staged file in the box folder (see
    // StagedFile) in place as `fileName`, with the same promise as save().
    bool commitStaged(StagedFile &file, Box box, const QString &fileName, QString *error = nullptr) const;

    // The whole file; an empty array when it cannot be read or is not a
    // regular file. Reads never follow a symbolic link and never wait.
    QByteArray read(Box box, const QString &fileName) const;

    // Deletes a message; true once it is gone (also when it was not there).
    bool remove(Box box, const QString &fileName) const;

private:
    QString m_root;
    const Clock &m_clock;
};

} // namespace vesk
