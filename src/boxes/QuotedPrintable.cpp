#include "boxes/QuotedPrintable.h"

namespace vesk {
namespace {

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

void chopTrailingBlanks(QByteArray &out, qsizetype lineStart)
{
    while (out.size() > lineStart && (out.back() == ' ' || out.back() == '\t'))
        out.chop(1);
}

} // namespace

QByteArray decodeQuotedPrintable(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            chopTrailingBlanks(out, lineStart);
            out.append(c);
            if (c == '\n')
                lineStart = out.size();
            continue;
        }
        if (c != '=') {
            out.append(c);
            continue;
        }
        // A soft line break: "=" and optional blanks, then the line end.
        qsizetype j = i + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
            ++j;
        if (j == text.size() || text[j] == '\r' || text[j] == '\n') {
            if (j < text.size() && text[j] == '\r')
                ++j;
            if (j < text.size() && text[j] == '\n')
                ++j;
            i = j - 1;
            continue;
        }
        if (i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out.append(char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
            continue;
        }
        out.append(c);
    }
    chopTrailingBlanks(out, lineStart);
    return out;
}

} // namespace vesk
