#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vesk {

// Puts a file into a folder so that it is either wholly there and on disk, or
// not there at all: written under a hidden temporary name, flushed, renamed
// into place without replacing anything, and the folder flushed. Readers that
// list the folder never see a half-written file, and once write() returns true
// the file survives a crash or power loss.
class AtomicFileWriter final
{
public:
    // ".tmp-" + name + ".part": never matches a "*.ID" listing.
    static QString tempName(const QString &fileName);
    static bool isTempName(const QString &name);

    // Removes temporary files of the folder last written before `before`: a
    // crash left them, since every write finishes or removes its own.
    static void removeStale(const QString &folder, const QDateTime &before);

    static bool write(
        const QString &folder, const QString &fileName, const QByteArray &content, QString *error);
};

} // namespace vesk
