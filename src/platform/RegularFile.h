#pragma once

#include <QString>

class QFile;

namespace vesk {

// Opens for reading files in folders that other programs can reach (message
// files above all): only a regular file is taken, never through a symbolic
// link, and opening never waits (a FIFO would block a plain open or read for
// ever, a device could never end).
class RegularFile final
{
public:
    // A descriptor for reading, or -1 with errno set (ELOOP for a symbolic
    // link, EINVAL for anything that is not a regular file).
    static int openReadOnly(const QString &path);
    // The same, handed to `file`, which closes it.
    static bool openForReading(QFile &file, const QString &path);
};

} // namespace vesk
