#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {
namespace {

bool refuse(QString *error, const QString &text, const QString &path)
{
    if (error)
        *error = text + QStringLiteral(": ") + path;
    return false;
}

} // namespace

bool PrivateFolder::ensure(const QString &path, QString *error)
{
    const QString folder = QDir::cleanPath(path);
    const QString parent = QFileInfo(folder).absolutePath();
    if (!QDir().mkpath(parent))
        return refuse(error, QStringLiteral("フォルダを作成出来ません"), parent);
    const QByteArray encoded = QFile::encodeName(folder);
    if (::mkdir(encoded.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return refuse(error, QStringLiteral("フォルダを作成出来ません"), folder);
    // lstat: a link planted in our place must not lead us elsewhere.
    struct stat info;
    if (::lstat(encoded.constData(), &info) != 0)
        return refuse(error, QStringLiteral("フォルダを調べられません"), folder);
    if (S_ISLNK(info.st_mode) || !S_ISDIR(info.st_mode))
        return refuse(error, QStringLiteral("フォルダではありません（リンクは使いません）"), folder);
    if (info.st_uid != ::getuid())
        return refuse(error, QStringLiteral("他のユーザーのフォルダは使いません"), folder);
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(encoded.constData(), S_IRWXU) != 0)
        return refuse(error, QStringLiteral("フォルダの権限を変更出来ません"), folder);
    return true;
}

} // namespace vesk
