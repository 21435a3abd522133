#include "store/FileSync.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

bool FileSync::syncFolder(const QString &folder, QString *error)
{
    const QByteArray path = QFile::encodeName(folder);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = failure(QStringLiteral("フォルダを開けません"), folder, errno);
        return false;
    }
    int result = ::fsync(fd);
    const int code = errno;
    ::close(fd);
    // Some file systems cannot flush a folder at all; their entries are then as
    // durable as they get.
    if (result != 0 && (code == EINVAL || code == ENOTSUP))
        result = 0;
    if (result != 0 && error)
        *error = failure(QStringLiteral("フォルダをディスクに書き込めません"), folder, code);
    return result == 0;
}

bool FileSync::renameNoReplace(const QString &from, const QString &to, QString *error)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    int code = errno;
    if (code == EINVAL || code == ENOSYS || code == ENOTSUP) {
        // No atomic no-replace rename here: a hard link refuses an existing
        // name just as well.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return true;
        }
        code = errno;
        if (code == EPERM || code == ENOTSUP) {
            // Neither: check, then rename. Only this program writes the folders.
            struct stat info;
            if (::lstat(target.constData(), &info) == 0)
                code = EEXIST;
            else if (::rename(source.constData(), target.constData()) == 0)
                return true;
            else
                code = errno;
        }
    }
    if (error)
        *error = failure(QStringLiteral("ファイル名を変更出来ません"), to, code);
    return false;
}

bool FileSync::isPlainName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(u'/') && !name.contains(QChar(0));
}

QString FileSync::failure(const QString &text, const QString &path, int code)
{
    return QStringLiteral("%1: %2: %3").arg(text, path, qt_error_string(code));
}

} // namespace vesk
