#include "store/japanese/ByteText.h"

#include "platform/Blanks.h"

namespace vesk::bytetext {
namespace {

inline char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

} // namespace

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void chopBlanks(QByteArray &text)
{
    text.truncate(Blanks::rightTrimmed(text).size());
}

void removeEscapes(QByteArray &text)
{
    constexpr char kEsc = 0x1B;
    if (!text.contains(kEsc))
        return;
    qsizetype w = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == kEsc) {
            i += 3;
            continue;
        }
        text[w++] = text[i++];
    }
    text.truncate(w);
}

QByteArray toUpper(QByteArrayView text)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    char *out = result.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = upper(text[i]);
    return result;
}

bool startsWithUpper(QByteArrayView text, QByteArrayView upperName)
{
    if (text.size() < upperName.size())
        return false;
    for (qsizetype i = 0; i < upperName.size(); ++i) {
        if (upper(text[i]) != upperName[i])
            return false;
    }
    return true;
}

qsizetype indexOfUpper(QByteArrayView text, QByteArrayView upperNeedle, qsizetype from)
{
    if (upperNeedle.isEmpty())
        return from <= text.size() ? qMax<qsizetype>(from, 0) : -1;
    const qsizetype last = text.size() - upperNeedle.size();
    for (qsizetype i = qMax<qsizetype>(from, 0); i <= last; ++i) {
        if (upper(text[i]) == upperNeedle[0] && startsWithUpper(text.sliced(i), upperNeedle))
            return i;
    }
    return -1;
}

} // namespace vesk::bytetext
