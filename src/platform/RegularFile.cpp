#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

int RegularFile::openReadOnly(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info {};
    const bool statted = ::fstat(fd, &info) == 0;
    if (!statted || !S_ISREG(info.st_mode)) {
        const int code = statted ? EINVAL : errno;
        ::close(fd);
        errno = code;
        return -1;
    }
    // Reads of a regular file never wait anyway; keep them plain.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool RegularFile::openForReading(QFile &file, const QString &path)
{
    const int fd = openReadOnly(path);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace vesk
