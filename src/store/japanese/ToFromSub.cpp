#include "store/japanese/ToFromSub.h"

#include "platform/Blanks.h"
#include "store/japanese/ByteText.h"
#include "store/japanese/HeaderBlock.h"
#include "store/japanese/HeaderValue.h"

namespace vesk {
namespace {

using namespace bytetext;

// The message as text lines ended by LF (a CR before it is not part of the line).
class LineReader
{
public:
    explicit LineReader(QByteArrayView text)
        : m_text(text)
    { }
    bool next(QByteArrayView &line)
    {
        if (m_pos >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf('\n', m_pos);
        const qsizetype after = end < 0 ? m_text.size() : end + 1;
        if (end < 0)
            end = m_text.size();
        if (end > m_pos && m_text[end - 1] == '\r')
            --end;
        line = m_text.sliced(m_pos, end - m_pos);
        m_pos = after;
        return true;
    }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

enum class Folding {
    Trimmed, // To, From: each continuation line trimmed and joined without a gap
    Kept, // Subject, Content-Type: continuation lines appended as they are
};

// One header field as it is read from the lines. `line` is its first line
// and, on return, the line that ended it. A line with a colon anywhere ends
// the field and is itself a header line still to be examined (`pending`).
QByteArray readField(
    LineReader &reader, QByteArrayView &line, qsizetype nameLength, Folding folding, bool &pending)
{
    QByteArray value = LenCheck(Blanks::trimmed(line.sliced(nameLength)));
    pending = false;
    QByteArrayView next;
    while (reader.next(next)) {
        line = next;
        if (next.contains(':')) {
            pending = true;
            break;
        }
        if (folding == Folding::Trimmed) {
            value.truncate(Blanks::rightTrimmed(value).size()); // its start is already trimmed
            value.append(LenCheck(Blanks::trimmed(next)));
        } else {
            value.append(LenCheck(next));
        }
        if (Blanks::rightTrimmed(next).isEmpty())
            break;
    }
    return value;
}

QByteArray display(QByteArrayView raw)
{
    return Blanks::trimmed(ConvS(raw)).toByteArray();
}

} // namespace

QByteArray kindMark(QByteArrayView contentType, QByteArrayView mailer)
{
    const QByteArray type = toUpper(contentType);
    if (type.contains("TEXT/HTML"))
        return QByteArrayLiteral("\x81\x99"); // ☆
    if (!type.contains("MULTIPART"))
        return {};
    if (type.contains("KIRITORISEN")) {
        if (toUpper(mailer).contains("POSTPET"))
            return QByteArrayLiteral("\x81\xE6"); // ∵
        return QByteArrayLiteral("\x81\x7B"); // ＋
    }
    if (type.contains("MIXED"))
        return QByteArrayLiteral("\x81\x7B"); // ＋
    if (type.contains("RELATED") || type.contains("ALTERNATIVE"))
        return QByteArrayLiteral("\x81\x99"); // ☆
    return QByteArrayLiteral("\x81\x48"); // ？
}

HeaderSummary ToFromSubText(QByteArrayView message)
{
    QByteArray to, from, subject, contentType, mailer;
    LineReader reader(message);
    QByteArrayView line;
    bool pending = false;
    for (;;) {
        if (!pending && !reader.next(line))
            break;
        pending = false;
        // All names are tried on the same line in this order; a field that
        // ends on a header line hands that line to the names after it.
        if (startsWithUpper(line, "TO:"))
            to = readField(reader, line, 3, Folding::Trimmed, pending);
        if (startsWithUpper(line, "FROM:"))
            from = readField(reader, line, 5, Folding::Trimmed, pending);
        if (startsWithUpper(line, "SUBJECT:"))
            subject = readField(reader, line, 8, Folding::Kept, pending);
        if (startsWithUpper(line, "CONTENT-TYPE:"))
            contentType = readField(reader, line, 13, Folding::Kept, pending);
        if (startsWithUpper(line, "X-MAILER:"))
            mailer = Blanks::trimmed(line.sliced(9)).toByteArray();
        if (Blanks::rightTrimmed(line).isEmpty())
            break; // the blank line before the body
    }

    HeaderSummary summary;
    summary.to = display(to);
    summary.from = display(from);
    summary.subject = display(subject);
    summary.mailer = display(mailer);
    summary.kind = kindMark(display(contentType), summary.mailer);
    return summary;
}

HeaderSummary ToFromSub(const QString &filePath)
{
    // A file that cannot be opened reads as empty and gives empty fields.
    return ToFromSubText(readHeaderBlock(filePath));
}

} // namespace vesk
