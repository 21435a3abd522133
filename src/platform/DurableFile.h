#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vesk {

// Files that survive a crash or a power loss: written whole or not at all,
// and on disk before anyone relies on them. Every file made here is readable
// and writable by its owner only: mail, the password, the user's own plans.
class DurableFile final
{
public:
    // How a step ended: `code` is 0 when it worked, else the errno of the
    // failing part, and `error` says what failed, on which path and why.
    struct Result
    {
        int code = 0;
        QString error;

        bool ok() const { return code == 0; }
    };

    enum class Existing {
        Keep, // an existing file is never replaced: the write fails
        Replace, // the new file takes the old one's place
    };

    // Puts `content` in place as `path`: written under tempName() beside it,
    // flushed, renamed into place, and the folder flushed. Readers never see
    // a half-written file, and a failure leaves nothing behind.
    // Keep: when the folder cannot be flushed the new file is taken back.
    // Replace: a symbolic link is written through to the file it names; a
    // file its owner made read-only is refused; the old file is gone once
    // the rename is done, so a folder that cannot be flushed is no failure.
    static Result write(const QString &path, const QByteArray &content, Existing existing);

    // Renames the flushed temporary file `temp` to `path` (never replacing
    // an existing file) and flushes the folder. A failed rename removes
    // `temp`; a folder that cannot be flushed takes the new file back.
    static Result putInPlace(const QString &temp, const QString &path);

    // Appends `line` and a LF to the file, creating it if need be, and
    // flushes it; the folder is flushed too when the file is new.
    static Result appendLine(const QString &path, const QByteArray &line);

    // Flushes a folder's entries (a new, renamed or removed name) to disk.
    static Result syncFolder(const QString &folder);

    // ".tmp-" + name + ".part": what a crash inside write() may leave behind,
    // and never a "*.ID" name.
    static QString tempName(const QString &fileName);
    static bool isTempName(const QString &name);
    // Removes the folder's temporary files last written before `before`:
    // every write finishes or removes its own, so those are a crash's.
    static void removeStale(const QString &folder, const QDateTime &before);

    // A file name that stays inside its folder: not empty, no "/" or NUL, not
    // "." or "..".
    static bool isPlainName(const QString &name);

    // `text` followed by the path and the reason for errno `code`.
    static QString failure(const QString &text, const QString &path, int code);
};

} // namespace vesk
