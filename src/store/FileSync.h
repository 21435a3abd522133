#pragma once

#include <QString>

namespace vesk {

// The few file system steps that make a message durable. Errors come back as
// a text naming the path and the system's reason.
class FileSync final
{
public:
    // Flushes a folder's entries (a new, renamed or removed name) to disk.
    static bool syncFolder(const QString &folder, QString *error);

    // Renames `from` to `to`, failing rather than replacing an existing `to`.
    static bool renameNoReplace(const QString &from, const QString &to, QString *error);

    // A file name that stays inside its folder: not empty, no "/" or NUL, not
    // "." or "..".
    static bool isPlainName(const QString &name);

    // `text` followed by the path and the reason for errno `code`.
    static QString failure(const QString &text, const QString &path, int code);
};

} // namespace vesk
