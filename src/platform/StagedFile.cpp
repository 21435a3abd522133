#include "platform/StagedFile.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vesk {

StagedFile::StagedFile(QString folder)
    : m_folder(std::move(folder))
{
    if (!m_folder.endsWith(u'/'))
        m_folder += u'/';
}

StagedFile::~StagedFile()
{
    discard();
}

bool StagedFile::open()
{
    const QString pattern = DurableFile::tempName(QStringLiteral("staged-XXXXXX"));
    const int suffix = int(pattern.size() - pattern.lastIndexOf(QLatin1String("XXXXXX")) - 6);
    QByteArray name = QFile::encodeName(m_folder + pattern);
    m_fd = ::mkostemps(name.data(), suffix, O_CLOEXEC);
    if (m_fd < 0) {
        m_temp = m_folder;
        fail(errno);
        return false;
    }
    m_temp = QFile::decodeName(name);
    if (::fchmod(m_fd, S_IRUSR | S_IWUSR) != 0) {
        fail(errno);
        return false;
    }
    return true;
}

bool StagedFile::append(QByteArrayView bytes)
{
    if (m_fd < 0 || !m_result.ok())
        return false;
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t done = ::write(m_fd, data, size_t(left));
        if (done < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
            return false;
        }
        data += done;
        left -= done;
        m_size += done;
    }
    return true;
}

DurableFile::Result StagedFile::commit(const QString &path)
{
    if (m_fd < 0)
        fail(EBADF);
    if (!m_result.ok()) {
        discard();
        return m_result;
    }
    int code = ::fsync(m_fd) == 0 ? 0 : errno;
    if (::close(std::exchange(m_fd, -1)) != 0 && code == 0)
        code = errno;
    if (code != 0) {
        fail(code);
        discard();
        return m_result;
    }
    m_result = DurableFile::putInPlace(m_temp, path);
    // In place, or removed by the failed rename: either way no longer ours.
    m_temp.clear();
    return m_result;
}

void StagedFile::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temp.isEmpty() && m_temp != m_folder)
        ::unlink(QFile::encodeName(m_temp).constData());
    m_temp.clear();
}

void StagedFile::fail(int code)
{
    if (m_result.ok())
        m_result = { code, DurableFile::failure(QStringLiteral("ファイルを保存出来ません"), m_temp, code) };
}

} // namespace vesk
