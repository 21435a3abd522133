#pragma once

#include "platform/DurableFile.h"

#include <QByteArrayView>
#include <QString>

namespace vesk {

// A file written piece by piece, however large, under a temporary name in
// its folder (DurableFile::tempName form: no listing shows it, and what a
// crash leaves is cleaned up at the next start) and put in place, flushed,
// only once it is complete. Readable and writable by its owner only.
class StagedFile final
{
public:
    explicit StagedFile(QString folder);
    // An uncommitted file is removed.
    ~StagedFile();
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;

    // Creates the temporary file; false (see result()) when it cannot.
    bool open();
    // False once anything failed; the first failure is kept in result().
    bool append(QByteArrayView bytes);
    // Flushes the file and renames it to `path` (never over an existing file).
    DurableFile::Result commit(const QString &path);
    void discard();

    qint64 size() const { return m_size; }
    const DurableFile::Result &result() const { return m_result; }
    QString tempPath() const { return m_temp; }

private:
    void fail(int code);

    QString m_folder;
    QString m_temp;
    int m_fd = -1;
    qint64 m_size = 0;
    DurableFile::Result m_result;
};

} // namespace vesk
