#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {
namespace {

bool fail(QString *error, const QString &text, const QString &path)
{
    if (error)
        *error = text + QStringLiteral(": ") + path;
    return false;
}

} // namespace

bool PrivateFolder::ensure(const QString &path, QString *error)
{
    const QByteArray encoded = QFile::encodeName(path);
    const QString parent = QFileInfo(path).absolutePath();
    if (!QFileInfo(parent).isDir())
        QDir().mkpath(parent);
    if (::mkdir(encoded.constData(), S_IRWXU) == 0) {
        // Ours from the start: the umask may have taken bits, never added any.
        ::chmod(encoded.constData(), S_IRWXU);
    } else if (errno != EEXIST) {
        return fail(error, QStringLiteral("フォルダを作成出来ません"), path);
    }
    return check(path, error);
}

bool PrivateFolder::check(const QString &path, QString *error)
{
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return fail(error, QStringLiteral("フォルダがありません"), path);
    if (!S_ISDIR(info.st_mode))
        return fail(error, QStringLiteral("フォルダではありません（リンクなど）"), path);
    if (info.st_uid != ::getuid())
        return fail(error, QStringLiteral("他のユーザーのフォルダは使いません"), path);
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return fail(error, QStringLiteral("他のユーザーも使えるフォルダは使いません"), path);
    return true;
}

} // namespace vesk
