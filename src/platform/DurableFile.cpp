#include "platform/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {
namespace {

const QLatin1String TempPrefix(".tmp-");
const QLatin1String TempSuffix(".part");

DurableFile::Result failed(const QString &text, const QString &path, int code)
{
    return { code, DurableFile::failure(text, path, code) };
}

// The folder part of a path, with its slash ("" for a bare name).
QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

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

// Writes `content` to the open file, owner only whatever the umask, and
// closes it; 0 or the errno of the failing step.
int fill(int fd, const QByteArray &content)
{
    int code = 0;
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || !writeAll(fd, content) || ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    return code;
}

// Renames `from` to `to`, failing with EEXIST rather than replacing `to`.
int renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    int code = errno;
    if (code != EINVAL && code != ENOSYS && code != ENOTSUP)
        return code;
    // No atomic no-replace rename here: a hard link refuses an existing name
    // just as well.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    code = errno;
    if (code != EPERM && code != ENOTSUP)
        return code;
    // Neither: check, then rename. Only this program writes its folders.
    struct stat info;
    if (::lstat(to.constData(), &info) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

// The file a chain of symbolic links ends at; `path` itself when it is no
// link or the chain never ends.
QString linkedFile(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

} // namespace

DurableFile::Result DurableFile::write(const QString &path, const QByteArray &content, Existing existing)
{
    const bool replace = existing == Existing::Replace;
    const QString target = replace ? linkedFile(path) : path;
    const QByteArray targetPath = QFile::encodeName(target);
    if (replace && ::access(targetPath.constData(), W_OK) != 0) {
        if (const int code = errno; code != ENOENT)
            return failed(QStringLiteral("ファイルを保存出来ません"), target, code);
    }

    const QString folder = folderPart(target);
    const QString temp = folder + tempName(target.mid(folder.size()));
    const QByteArray tempPath = QFile::encodeName(temp);
    // A leftover of an earlier crash under the same name is stale.
    ::unlink(tempPath.constData());
    const int fd
        = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (const int code = fd < 0 ? errno : fill(fd, content); code != 0) {
        ::unlink(tempPath.constData());
        return failed(QStringLiteral("ファイルを保存出来ません"), temp, code);
    }
    if (!replace)
        return putInPlace(temp, target);
    if (::rename(tempPath.constData(), targetPath.constData()) != 0) {
        const int code = errno;
        ::unlink(tempPath.constData());
        return failed(QStringLiteral("ファイル名を変更出来ません"), target, code);
    }
    syncFolder(folder.isEmpty() ? QStringLiteral(".") : folder);
    return {};
}

DurableFile::Result DurableFile::putInPlace(const QString &temp, const QString &path)
{
    const QByteArray tempPath = QFile::encodeName(temp);
    const QByteArray targetPath = QFile::encodeName(path);
    if (const int code = renameNoReplace(tempPath, targetPath); code != 0) {
        ::unlink(tempPath.constData());
        return failed(QStringLiteral("ファイル名を変更出来ません"), path, code);
    }
    const QString folder = folderPart(path);
    Result flushed = syncFolder(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (flushed.ok())
        return {};
    // Not known to be on disk: take it back so that nobody relies on it.
    ::unlink(targetPath.constData());
    return flushed;
}

DurableFile::Result DurableFile::appendLine(const QString &path, const QByteArray &line)
{
    const QByteArray encoded = QFile::encodeName(path);
    bool created = false;
    int fd = ::open(encoded.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(encoded.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
        created = fd >= 0;
    }
    if (fd < 0) {
        const int code = errno;
        return failed(QStringLiteral("ファイルを保存出来ません"), path, code);
    }
    int code = 0;
    if ((created && ::fchmod(fd, S_IRUSR | S_IWUSR) != 0) || !writeAll(fd, line + '\n') || ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code != 0)
        return failed(QStringLiteral("ファイルを保存出来ません"), path, code);
    if (created) {
        const QString folder = folderPart(path);
        return syncFolder(folder.isEmpty() ? QStringLiteral(".") : folder);
    }
    return {};
}

DurableFile::Result DurableFile::syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return failed(QStringLiteral("フォルダを開けません"), folder, errno);
    const int code = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems cannot flush a folder at all; their entries are then
    // as durable as they get.
    if (code == 0 || code == EINVAL || code == ENOTSUP)
        return {};
    return failed(QStringLiteral("フォルダをディスクに書き込めません"), folder, code);
}

QString DurableFile::tempName(const QString &fileName)
{
    return TempPrefix + fileName + TempSuffix;
}

bool DurableFile::isTempName(const QString &name)
{
    return name.startsWith(TempPrefix) && name.endsWith(TempSuffix);
}

void DurableFile::removeStale(const QString &folder, const QDateTime &before)
{
    const QFileInfoList entries
        = QDir(folder).entryInfoList({ TempPrefix + u'*' + TempSuffix }, QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (isTempName(entry.fileName()) && entry.lastModified() < before)
            QFile::remove(entry.filePath());
    }
}

bool DurableFile::isPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(u'/') && !name.contains(QChar(0));
}

QString DurableFile::failure(const QString &text, const QString &path, int code)
{
    return QStringLiteral("%1: %2: %3").arg(text, path, qt_error_string(code));
}

} // namespace vesk
