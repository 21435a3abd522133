#include "boxes/QuotedPrintable.h"

#include "store/japanese/ByteText.h"

namespace vesk {
namespace {

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
        if (i + 2 < text.size() && bytetext::hexValue(text[i + 1]) >= 0 && bytetext::hexValue(text[i + 2]) >= 0) {
            out.append(char(bytetext::hexValue(text[i + 1]) * 16 + bytetext::hexValue(text[i + 2])));
            i += 2;
            continue;
        }
        out.append(c);
    }
    chopTrailingBlanks(out, lineStart);
    return out;
}

} // namespace vesk
