#include "platform/ProcessTable.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace vesk::processes {
namespace {

// The fields after the command name of /proc/PID/stat: field 3 (state) is
// the first. The name is in parentheses and may hold blanks and parentheses.
QList<QByteArray> statFields(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.read(4096);
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0)
        return {};
    return text.mid(close + 1).simplified().split(' ');
}

} // namespace

std::optional<quint64> startTicks(qint64 pid)
{
    if (pid <= 0)
        return std::nullopt;
    // Field 22 is the start time.
    const QList<QByteArray> fields = statFields(pid);
    if (fields.size() < 20)
        return std::nullopt;
    bool ok = false;
    const quint64 ticks = fields.at(19).toULongLong(&ok);
    return ok ? std::optional(ticks) : std::nullopt;
}

QList<qint64> withDescendants(qint64 pid)
{
    QHash<qint64, QList<qint64>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool ok = false;
        const qint64 child = entry.toLongLong(&ok);
        if (!ok)
            continue;
        // Field 4 is the parent's id.
        const QList<QByteArray> fields = statFields(child);
        if (fields.size() > 1)
            children[fields.at(1).toLongLong()] << child;
    }
    QList<qint64> found { pid };
    // Breadth first; a process cannot be its own ancestor, but a bound keeps
    // a racing /proc from looping.
    for (qsizetype i = 0; i < found.size() && found.size() < 4096; ++i) {
        for (qint64 child : children.value(found.at(i))) {
            if (!found.contains(child))
                found << child;
        }
    }
    return found;
}

} // namespace vesk::processes
