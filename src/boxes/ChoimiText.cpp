#include "boxes/ChoimiText.h"

#include "boxes/BodyDecoder.h"
#include "boxes/MimeFields.h"
#include "platform/Blanks.h"
#include "store/japanese/ByteText.h"

#include <optional>

namespace vesk {
namespace {

using Lines = QList<QByteArrayView>;

Lines splitLines(QByteArrayView text)
{
    Lines lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        const qsizetype stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        lines.append(text.sliced(start, stop - start));
        start = next;
    }
    return lines;
}

bool isBlankLine(QByteArrayView line)
{
    return Blanks::trimmed(line).isEmpty();
}

QByteArray joined(const Lines &lines, qsizetype from, qsizetype to)
{
    QByteArray text;
    for (qsizetype i = from; i < to; ++i) {
        text += lines[i];
        text += "\r\n";
    }
    return text;
}

QStringList textLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Appends lines while the count stays within the limit; the mark follows
// when lines are left over.
void appendLimited(QStringList &out, const QStringList &lines, int counted, int limit)
{
    qsizetype i = 0;
    for (; i < lines.size() && counted < limit; ++i, ++counted)
        out << lines[i];
    if (i < lines.size())
        out << ChoimiMore << ChoimiMore;
}

struct TextPart
{
    qsizetype headerStart = 0; // first header line of the part
    qsizetype contentTypeLine = 0;
    QByteArrayView delimiter; // "--boundary", empty when none was seen
};

std::optional<TextPart> firstPlainPart(const Lines &body)
{
    qsizetype lastDelimiter = -1;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i].startsWith("--")) {
            lastDelimiter = i;
            continue;
        }
        const QByteArray upper = bytetext::toUpper(body[i]);
        if (upper.contains("CONTENT-TYPE:") && upper.contains("TEXT/PLAIN")) {
            TextPart part;
            part.headerStart = lastDelimiter < 0 ? i : lastDelimiter + 1;
            part.contentTypeLine = i;
            if (lastDelimiter >= 0)
                part.delimiter = Blanks::rightTrimmed(body[lastDelimiter]);
            return part;
        }
    }
    return std::nullopt;
}

bool endsPart(QByteArrayView line, const TextPart &part)
{
    if (!part.delimiter.isEmpty())
        return line.startsWith(part.delimiter);
    return bytetext::toUpper(line).contains("CONTENT-TYPE:");
}

QStringList rawLines(const Lines &body, BodyDecoder &decoder)
{
    QStringList lines;
    lines.reserve(body.size());
    for (QByteArrayView line : body)
        lines << decoder.rawLine(line);
    return lines;
}

} // namespace

ChoimiText ChoimiText::fromMessage(QByteArrayView message, int gyou, BodyDecoder &decoder)
{
    const int limit = std::max(1, gyou);
    const Lines lines = splitLines(message);
    ChoimiText shown;
    Lines header;
    qsizetype i = 0;
    while (i < lines.size()) {
        const QByteArrayView line = lines[i++];
        if (!line.startsWith("VeskFrom:") && !line.startsWith("VeskTo:"))
            header.append(line);
        if (isBlankLine(line))
            break;
    }
    for (QByteArrayView line : header)
        shown.header << decoder.headerLine(line);

    // Only what can be shown is decoded.
    const Lines body = lines.mid(i, limit + 1);
    const Lines whole = lines.mid(i);
    const QByteArray contentType = headerField(header, "Content-Type");
    const QByteArray type = mediaType(contentType);

    if (type.startsWith("MULTIPART/")) {
        const std::optional<TextPart> part = firstPlainPart(whole);
        if (part && part->contentTypeLine + 1 < limit) {
            qsizetype k = part->headerStart;
            while (k < whole.size() && !isBlankLine(whole[k]))
                ++k;
            const qsizetype contentStart = std::min(k + 1, whole.size());
            qsizetype contentEnd = contentStart;
            while (contentEnd < whole.size() && !endsPart(whole[contentEnd], *part))
                ++contentEnd;
            const Lines partHeader = whole.mid(part->headerStart, contentStart - part->headerStart);
            const QByteArray partType = headerField(partHeader, "Content-Type");
            QStringList partLines;
            for (QByteArrayView line : partHeader)
                partLines << decoder.rawLine(line);
            partLines << textLines(decoder.text(joined(whole, contentStart, contentEnd),
                headerField(partHeader, "Content-Transfer-Encoding"), headerParameter(partType, "charset")));
            shown.body << ChoimiPreamble << ChoimiRule << QString();
            appendLimited(shown.body, partLines, int(part->headerStart), limit);
            return shown;
        }
        appendLimited(shown.body, rawLines(body, decoder), 0, limit);
        return shown;
    }
    if (type.isEmpty() || type.startsWith("TEXT/")) {
        const QStringList text = textLines(decoder.text(joined(whole, 0, whole.size()),
            headerField(header, "Content-Transfer-Encoding"), headerParameter(contentType, "charset")));
        appendLimited(shown.body, text, 0, limit);
        return shown;
    }
    appendLimited(shown.body, rawLines(body, decoder), 0, limit);
    return shown;
}

} // namespace vesk
