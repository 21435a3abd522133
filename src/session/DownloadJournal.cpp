#include "session/DownloadJournal.h"

#include "mail/TMD5.h"
#include "platform/Blanks.h"
#include "platform/DurableFile.h"

#include <QFile>
#include <QFileInfo>

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
    m_idLines.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxJournalBytes)
        return;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QByteArray key = Blanks::trimmed(line).toByteArray();
        if (key.startsWith("uidl "))
            m_idLines.append(key);
        else if (!key.isEmpty())
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
    return DurableFile::appendLine(m_path, key).ok();
}

bool DownloadJournal::addIdLine(const QByteArray &line)
{
    return DurableFile::appendLine(m_path, line).ok();
}

void DownloadJournal::clear()
{
    m_earlier.clear();
    m_idLines.clear();
    // A removal lost in a crash would bring the entries back to excuse copies
    // of a later download.
    if (QFile::remove(m_path))
        DurableFile::syncFolder(QFileInfo(m_path).absolutePath());
}

} // namespace vesk
