#include "extras/monitor/MonitorLog.h"

#include "platform/Clock.h"
#include "platform/DurableFile.h"

#include <QDir>

#include <cerrno>

namespace vesk {
namespace {

// How many following seconds a save tries when its own second's name is taken.
constexpr int NameTries = 60;

QStringList splitLines(const QString &entry)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < entry.size(); ++i) {
        const QChar c = entry.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << entry.mid(start, i - start);
        if (c == u'\r' && i + 1 < entry.size() && entry.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines << entry.mid(start);
    return lines;
}

} // namespace

MonitorLog::Change MonitorLog::append(const QString &entry)
{
    Change change;
    change.added = splitLines(entry);
    for (QString &line : change.added) {
        if (line.size() > MaxChars)
            line.truncate(MaxChars);
        m_lines << line;
        m_chars += line.size();
    }
    const qsizetype before = m_lines.size();
    dropOldest();
    change.dropped = before - m_lines.size();
    // Lines of this entry that went at once are neither added nor dropped.
    const qsizetype lost = change.dropped - (before - change.added.size());
    if (lost > 0) {
        change.added.remove(0, lost);
        change.dropped -= lost;
    }
    return change;
}

void MonitorLog::dropOldest()
{
    if (m_lines.size() <= MaxLines && m_chars <= MaxChars)
        return;
    qsizetype count = 0;
    qsizetype chars = m_chars;
    // The newest line stays, however long.
    while (
        count < m_lines.size() - 1 && (m_lines.size() - count > MaxLines * 3 / 4 || chars > MaxChars * 3 / 4))
        chars -= m_lines.at(count++).size();
    if (count > 0) {
        m_lines.remove(0, count);
        m_chars = chars;
    }
}

void MonitorLog::clear()
{
    m_lines.clear();
    m_chars = 0;
}

QString MonitorLog::fileNameFor(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyMMddHHmmss")) + QStringLiteral(".LOG");
}

MonitorLog::SaveResult MonitorLog::save(const QString &folder, const Clock &clock) const
{
    QByteArray content;
    for (const QString &line : m_lines) {
        content += line.toUtf8();
        content += "\r\n";
    }
    const QDateTime now = clock.now();
    DurableFile::Result result;
    for (int i = 0; i < NameTries; ++i) {
        const QString name = fileNameFor(now.addSecs(i));
        result = DurableFile::write(QDir(folder).filePath(name), content, DurableFile::Existing::Keep);
        if (result.ok())
            return { name, {} };
        if (result.code != EEXIST)
            break;
    }
    return { {}, result.error };
}

} // namespace vesk
