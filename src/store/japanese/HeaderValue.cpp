#include "store/japanese/HeaderValue.h"

#include "platform/Blanks.h"
#include "store/japanese/ByteText.h"
#include "store/japanese/MimeDecode.h"

namespace vesk {
namespace {

constexpr qsizetype kLongestWord = 86;

// "<x>" removed from a piece, or the "(comment)" kept, or nothing.
QByteArray displayPart(QByteArrayView piece)
{
    const qsizetype open = piece.indexOf('<');
    const qsizetype close = piece.indexOf('>');
    if (open >= 0 && close >= 0) {
        QByteArray kept = piece.toByteArray();
        if (close > open)
            kept.remove(open, close - open + 1);
        return kept;
    }
    const qsizetype openParen = piece.indexOf('(');
    const qsizetype closeParen = piece.indexOf(')');
    if (openParen >= 0 && closeParen >= 0) {
        if (closeParen <= openParen)
            return {};
        return piece.sliced(openParen + 1, closeParen - openParen - 1).toByteArray();
    }
    return {};
}

} // namespace

QByteArray LenCheck(QByteArrayView line)
{
    const qsizetype open = line.indexOf("=?");
    const qsizetype close = line.indexOf("?=");
    if (open < 0 || close < 0)
        return line.toByteArray();
    if (bytetext::indexOfUpper(line, "ISO-2022-JP") < 0)
        return line.toByteArray();
    if (close - (open + 2) > kLongestWord)
        return QByteArrayLiteral(".....");
    return line.toByteArray();
}

QByteArray ConvS(QByteArrayView value)
{
    QByteArray text = MimeDecode(value);
    if (text.contains('<') && text.contains('>'))
        text.removeIf([](char c) { return c == '"'; });
    return text;
}

QByteArray ExtractTo(QByteArrayView field)
{
    QByteArray names;
    QByteArrayView rest = field;
    for (;;) {
        const qsizetype comma = rest.indexOf(',');
        const bool last = comma < 0;
        const QByteArrayView piece = last ? rest : rest.first(comma + 1);
        names.append(displayPart(piece));
        if (last)
            break;
        rest = rest.sliced(comma + 1);
    }
    QByteArrayView result = Blanks::trimmed(names);
    if (result.startsWith('"')) {
        const qsizetype second = result.indexOf('"', 1);
        if (second > 0)
            result = Blanks::trimmed(result.sliced(1, second - 1));
    }
    return result.toByteArray();
}

} // namespace vesk
