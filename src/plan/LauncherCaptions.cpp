#include "plan/LauncherCaptions.h"

namespace vesk {
namespace {

// A stored row is at most this long; the rest is not read.
constexpr int RowLength = 200;

bool separates(QChar c)
{
    return c == u',' || c.unicode() <= 32;
}

} // namespace

QString LauncherCaptions::firstItem(QStringView data)
{
    data = data.left(RowLength);
    qsizetype i = 0;
    while (i < data.size() && data[i].unicode() <= 32)
        ++i;
    QString item;
    if (i < data.size() && data[i] == u'"') {
        // A quoted item; two double quotes inside stand for one.
        for (++i; i < data.size(); ++i) {
            if (data[i] != u'"') {
                item += data[i];
            } else if (i + 1 < data.size() && data[i + 1] == u'"') {
                item += u'"';
                ++i;
            } else {
                break;
            }
        }
        return item.trimmed();
    }
    while (i < data.size() && !separates(data[i]))
        item += data[i++];
    return item;
}

QStringList LauncherCaptions::fromSection(const QStringList &lines)
{
    QStringList captions;
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        captions << firstItem(equals < 0 ? QStringView() : QStringView(line).mid(equals + 1));
    }
    return captions;
}

} // namespace vesk
