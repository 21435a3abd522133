#include "store/rules/ShiftJisText.h"

#include "store/japanese/Iconv.h"

namespace vesk::shiftjis {
namespace {

// Length of the character at `pos`: a lead byte cut off at the end is one.
qsizetype charLength(QByteArrayView text, qsizetype pos)
{
    return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

} // namespace

QByteArray toUpper(QByteArrayView text)
{
    QByteArray upper = text.toByteArray();
    for (qsizetype i = 0; i < upper.size(); i += charLength(upper, i)) {
        const char c = upper[i];
        if (c >= 'a' && c <= 'z')
            upper[i] = char(c - 'a' + 'A');
    }
    return upper;
}

bool contains(QByteArrayView text, QByteArrayView needle)
{
    if (text.isEmpty() || needle.isEmpty())
        return false;
    // `boundary` walks the character starts of the text; candidates from the
    // byte search only grow, so the walk is linear over the whole search.
    qsizetype boundary = 0;
    for (qsizetype found = text.indexOf(needle); found >= 0; found = text.indexOf(needle, found + 1)) {
        while (boundary < found)
            boundary += charLength(text, boundary);
        if (boundary != found)
            continue;
        qsizetype end = found;
        while (end < found + needle.size())
            end += charLength(text, end);
        if (end == found + needle.size())
            return true;
    }
    return false;
}

std::optional<QByteArray> fromUnicode(const QString &text)
{
    Iconv converter("CP932", "UTF-8");
    if (!converter.isValid())
        return std::nullopt;
    QByteArray sjis;
    if (converter.convert(text.toUtf8(), sjis, "?") != 0)
        return std::nullopt;
    return sjis;
}

} // namespace vesk::shiftjis
