#include "server/MessageIdFixup.h"

namespace vesk {

bool MessageIdFixup(QByteArray &text, qsizetype headerStart, const QByteArray &host)
{
    static const QByteArray field = "MESSAGE-ID:";
    static const QByteArray local = "@127.0.0.1";
    if (host.isEmpty())
        return false;
    qsizetype start = headerStart;
    while (start < text.size()) {
        qsizetype end = text.indexOf("\r\n", start);
        if (end < 0)
            end = text.size();
        if (end == start)
            return false; // the empty line ends the header
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start);
        if (line.size() > field.size() && line.first(field.size()).compare(field, Qt::CaseInsensitive) == 0) {
            const qsizetype found = line.indexOf(local);
            if (found >= 0) {
                const qsizetype at = line.indexOf('@', field.size());
                text.replace(start + at, found + local.size() - at, '@' + host);
                return true;
            }
        }
        start = end + 2;
    }
    return false;
}

} // namespace vesk
