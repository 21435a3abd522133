#include "boxes/MimeFields.h"

#include "platform/Blanks.h"
#include "store/japanese/ByteText.h"

namespace vesk {

QByteArray headerField(const QList<QByteArrayView> &lines, QByteArrayView name)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = lines[i];
        if (line.size() <= name.size() || line[name.size()] != ':'
            || bytetext::toUpper(line.first(name.size())) != bytetext::toUpper(name))
            continue;
        QByteArray value = Blanks::trimmed(line.sliced(name.size() + 1)).toByteArray();
        for (++i; i < lines.size() && !lines[i].isEmpty() && (lines[i][0] == ' ' || lines[i][0] == '\t'); ++i)
            value += ' ' + Blanks::trimmed(lines[i]).toByteArray();
        return value;
    }
    return {};
}

QByteArray headerParameter(QByteArrayView value, QByteArrayView name)
{
    const QByteArray upperValue = bytetext::toUpper(value);
    const QByteArray wanted = bytetext::toUpper(name);
    qsizetype at = upperValue.indexOf(';');
    while (at >= 0) {
        qsizetype start = at + 1;
        while (start < value.size() && (value[start] == ' ' || value[start] == '\t'))
            ++start;
        const qsizetype equals = upperValue.indexOf('=', start);
        const qsizetype next = upperValue.indexOf(';', start);
        if (equals > 0 && (next < 0 || equals < next)
            && Blanks::trimmed(QByteArrayView(upperValue).sliced(start, equals - start)) == wanted) {
            qsizetype from = equals + 1;
            while (from < value.size() && (value[from] == ' ' || value[from] == '\t'))
                ++from;
            if (from < value.size() && value[from] == '"') {
                const qsizetype close = value.indexOf('"', from + 1);
                return value.sliced(from + 1, (close < 0 ? value.size() : close) - from - 1).toByteArray();
            }
            const qsizetype end = next < 0 ? value.size() : next;
            return Blanks::trimmed(value.sliced(from, end - from)).toByteArray();
        }
        at = next;
    }
    return {};
}

QByteArray mediaType(QByteArrayView contentType)
{
    const qsizetype semicolon = contentType.indexOf(';');
    return bytetext::toUpper(Blanks::trimmed(semicolon < 0 ? contentType : contentType.first(semicolon)));
}

} // namespace vesk
