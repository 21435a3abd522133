#include "store/AtomicFileWriter.h"

#include "store/FileSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vesk {
namespace {

const QLatin1String TempPrefix(".tmp-");
const QLatin1String TempSuffix(".part");

bool writeAll(int fd, const QByteArray &content)
{
    const char *data = content.constData();
    qint64 left = content.size();
    while (left > 0) {
        const ssize_t done = ::write(fd, data, size_t(std::min<qint64>(left, 1 << 30)));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += done;
        left -= done;
    }
    return true;
}

// Writes and flushes the temporary file; 0 or the errno of the failing step.
int writeDurably(const QByteArray &path, const QByteArray &content)
{
    // Mail is private to its user.
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int code = 0;
    if (!writeAll(fd, content))
        code = errno;
    else if (::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    return code;
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

QString AtomicFileWriter::tempName(const QString &fileName)
{
    return TempPrefix + fileName + TempSuffix;
}

bool AtomicFileWriter::isTempName(const QString &name)
{
    return name.startsWith(TempPrefix) && name.endsWith(TempSuffix);
}

void AtomicFileWriter::removeStale(const QString &folder, const QDateTime &before)
{
    const QDir dir(folder);
    const QFileInfoList entries
        = dir.entryInfoList({ TempPrefix + u'*' + TempSuffix }, QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (isTempName(entry.fileName()) && entry.lastModified() < before)
            QFile::remove(entry.filePath());
    }
}

bool AtomicFileWriter::write(
    const QString &folder, const QString &fileName, const QByteArray &content, QString *error)
{
    const QString target = withSlash(folder) + fileName;
    if (!FileSync::isPlainName(fileName)) {
        if (error)
            *error = FileSync::failure(QStringLiteral("ファイル名が正しくありません"), target, EINVAL);
        return false;
    }
    const QString temp = withSlash(folder) + tempName(fileName);
    const QByteArray tempPath = QFile::encodeName(temp);
    // A leftover of an earlier crash under the same name is stale.
    ::unlink(tempPath.constData());

    if (const int code = writeDurably(tempPath, content); code != 0) {
        ::unlink(tempPath.constData());
        if (error)
            *error = FileSync::failure(QStringLiteral("ファイルを保存出来ません"), temp, code);
        return false;
    }
    if (!FileSync::renameNoReplace(temp, target, error)) {
        ::unlink(tempPath.constData());
        return false;
    }
    if (!FileSync::syncFolder(folder, error)) {
        // Not known to be on disk: take it back so that nobody relies on it.
        ::unlink(QFile::encodeName(target).constData());
        return false;
    }
    return true;
}

} // namespace vesk
