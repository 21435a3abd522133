#include "pelma/NoteFile.h"

#include <QStringList>

#include <algorithm>

namespace vesk {
namespace {

const QByteArray Marker = QByteArrayLiteral("[PelmaNote]");
// Beyond any screen; keeps the numbers sane.
constexpr int MaxOffset = 100000;

QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

QRect parsePlace(const QString &value)
{
    const QStringList parts = value.split(u',');
    if (parts.size() != 4)
        return {};
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    const int x = std::clamp(numbers[0], -MaxOffset, MaxOffset);
    const int y = std::clamp(numbers[1], -MaxOffset, MaxOffset);
    const int w = std::clamp(numbers[2], NoteFile::MinSide, NoteFile::MaxSide);
    const int h = std::clamp(numbers[3], NoteFile::MinSide, NoteFile::MaxSide);
    return QRect(x, y, w, h);
}

} // namespace

QByteArray NoteFile::format(const Note &note)
{
    QByteArray out = Marker + '\n';
    out += "Date=" + oneLine(note.date).toUtf8() + '\n';
    if (!note.place.isEmpty()) {
        out += QStringLiteral("Place=%1,%2,%3,%4\n")
                   .arg(note.place.x())
                   .arg(note.place.y())
                   .arg(note.place.width())
                   .arg(note.place.height())
                   .toUtf8();
    }
    out += '\n';
    out += note.text.toUtf8();
    return out;
}

Note NoteFile::parse(const QByteArray &bytes)
{
    Note note;
    QByteArray rest = bytes;
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest.remove(0, 3);
    const qsizetype firstEnd = rest.indexOf('\n');
    if (rest.left(firstEnd < 0 ? rest.size() : firstEnd).trimmed() != Marker) {
        note.text = QString::fromUtf8(rest);
        return note;
    }
    qsizetype at = firstEnd < 0 ? rest.size() : firstEnd + 1;
    while (at < rest.size()) {
        const qsizetype end = rest.indexOf('\n', at);
        const QByteArray line = rest.mid(at, (end < 0 ? rest.size() : end) - at);
        at = end < 0 ? rest.size() : end + 1;
        if (line.trimmed().isEmpty())
            break;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray name = line.left(equals).trimmed();
        const QString value = QString::fromUtf8(line.mid(equals + 1)).trimmed();
        if (name == "Date")
            note.date = value;
        else if (name == "Place")
            note.place = parsePlace(value);
    }
    note.text = QString::fromUtf8(rest.mid(at));
    return note;
}

} // namespace vesk
