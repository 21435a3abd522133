#include "session/DownloadJournal.h"

#include "mail/TMD5.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace vesk {
namespace {
// A journal never grows past a few entries per interrupted download; anything
// this large is not ours.
constexpr qint64 kMaxJournalBytes = 16 * 1024 * 1024;
} // namespace

DownloadJournal::DownloadJournal(QString path) : m_path(std::move(path))
{
}

void DownloadJournal::load()
{
    m_earlier.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxJournalBytes)
        return;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QByteArray key = line.trimmed();
        if (!key.isEmpty())
            ++m_earlier[key];
    }
}

QByteArray DownloadJournal::keyOf(const QByteArray &content)
{
    return TMD5::hexDigest(content) + ':' + QByteArray::number(content.size());
}

bool DownloadJournal::excuse(const QByteArray &key)
{
    const auto it = m_earlier.find(key);
    if (it == m_earlier.end())
        return false;
    if (--it.value() == 0)
        m_earlier.erase(it);
    return true;
}

bool DownloadJournal::add(const QByteArray &key)
{
    const QByteArray path = QFile::encodeName(m_path);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray line = key + '\n';
    bool ok = ::write(fd, line.constData(), size_t(line.size())) == ssize_t(line.size());
    ok = ::fsync(fd) == 0 && ok;
    ::close(fd);
    return ok;
}

void DownloadJournal::clear()
{
    m_earlier.clear();
    if (!QFile::exists(m_path))
        return;
    QFile::remove(m_path);
}

} // namespace vesk
