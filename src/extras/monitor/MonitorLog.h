#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vesk {

class Clock;

// The protocol monitor's lines (memMon): what the monitor window shows and
// what its save writes. A session left running for days with the monitor open
// must not eat the memory, so only the newest lines are kept.
class MonitorLog final
{
public:
    // At most this many lines, and this many characters over all lines; the
    // oldest go first, a quarter of the bound at a time, so that a flood of
    // mail does not move the whole list at every line. A single line longer
    // than MaxChars keeps its start.
    static constexpr qsizetype MaxLines = 10000;
    static constexpr qsizetype MaxChars = 1024 * 1024;

    // What one append did, for a view that mirrors the lines.
    struct Change
    {
        qsizetype dropped = 0; // lines removed from the start
        QStringList added; // lines added at the end
    };

    // Adds an entry; its line breaks (CR LF, CR or LF) make several lines.
    Change append(const QString &entry);
    void clear();
    const QStringList &lines() const { return m_lines; }

    struct SaveResult
    {
        QString fileName; // the name the lines were saved under
        QString error; // empty when saved

        bool ok() const { return error.isEmpty(); }
    };

    // Writes the lines, each ended by CR LF, as a new file named by the
    // clock's time (fileNameFor) in `folder`. An existing log is never
    // replaced: a name already taken (a second save within the same second)
    // moves on to the next second's name.
    SaveResult save(const QString &folder, const Clock &clock) const;

    // "yymmddhhmmss.LOG": two-digit year, month, day, hour, minute, second.
    static QString fileNameFor(const QDateTime &when);

private:
    void dropOldest();

    QStringList m_lines;
    qsizetype m_chars = 0;
};

} // namespace vesk
