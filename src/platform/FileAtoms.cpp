#include "platform/GlobalAtoms.h"
#include "platform/PrivateFolder.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

FileAtoms::FileAtoms(QString folder) : m_folder(std::move(folder))
{
}

QString FileAtoms::path(const QString &name) const
{
    // A name is one path component; anything else cannot be an atom here.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".")
        || name == QLatin1String(".."))
        return {};
    return m_folder + QLatin1Char('/') + name;
}

bool FileAtoms::add(const QString &name)
{
    const QString file = path(name);
    if (file.isEmpty())
        return false;
    if (!PrivateFolder::ensure(m_folder))
        return false;
    // A fresh file each time, never written through whatever had the name.
    const QByteArray encoded = QFile::encodeName(file);
    ::unlink(encoded.constData());
    const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return false;
    // The process id: a status bar can tell a running copy from a file that
    // a killed one left behind.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    const bool written = ::write(fd, pid.constData(), size_t(pid.size())) == pid.size();
    ::close(fd);
    return written;
}

void FileAtoms::remove(const QString &name)
{
    const QString file = path(name);
    if (!file.isEmpty())
        QFile::remove(file);
}

bool FileAtoms::exists(const QString &name) const
{
    const QString file = path(name);
    struct stat info;
    return !file.isEmpty() && ::lstat(QFile::encodeName(file).constData(), &info) == 0;
}

} // namespace vesk
