#include "store/UniqueIdReader.h"

#include "platform/Blanks.h"

#include <QIODevice>

#include <algorithm>

namespace vesk {
namespace {

constexpr qint64 ChunkSize = 16 * 1024;

QByteArray trimmed(QByteArrayView text)
{
    return Blanks::trimmedOfControls(text).toByteArray();
}

bool startsWithName(const QByteArray &line, QByteArrayView upperName)
{
    if (line.size() < upperName.size())
        return false;
    for (qsizetype i = 0; i < upperName.size(); ++i) {
        char c = line[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != upperName[i])
            return false;
    }
    return true;
}

// "Message-ID: <addr>" gives addr; without brackets the whole value.
QByteArray messageIdCandidate(const QByteArray &line)
{
    QByteArray rest = line.mid(line.indexOf(':') + 1);
    const qsizetype open = rest.indexOf('<');
    if (open >= 0)
        rest = rest.mid(open + 1);
    const qsizetype close = rest.indexOf('>');
    if (close >= 0)
        rest.truncate(close);
    return trimmed(rest);
}

class HeaderScan
{
public:
    // False once the header has ended.
    bool feed(const QByteArray &line)
    {
        if (Blanks::trimmedOfControls(line).isEmpty())
            return false;
        if (startsWithName(line, "X-UIDL:"))
            m_uidl = trimmed(line.mid(7));
        else if (startsWithName(line, "MESSAGE-ID:"))
            m_messageId = messageIdCandidate(line);
        return true;
    }

    // The last X-UIDL wins; an empty one gives no id, since a mailer cannot use
    // an empty UIDL, and the Message-ID is tried instead.
    QByteArray result() const { return m_uidl.isEmpty() ? m_messageId : m_uidl; }

private:
    QByteArray m_uidl;
    QByteArray m_messageId;
};

// Cuts text arriving in pieces into lines ended by CR LF, LF or a lone CR.
class LineSplitter
{
public:
    void append(const QByteArray &chunk) { m_buffer += chunk; }

    // The next whole line; at the end also the unterminated rest.
    bool next(QByteArray &line, bool atEnd)
    {
        qsizetype stop = std::max(m_pos, m_searched);
        while (stop < m_buffer.size() && m_buffer[stop] != '\r' && m_buffer[stop] != '\n')
            ++stop;
        // A CR at the end of the buffer may be the first half of CR LF.
        const bool whole
            = stop < m_buffer.size() && (m_buffer[stop] == '\n' || stop + 1 < m_buffer.size() || atEnd);
        if (!whole) {
            m_searched = stop;
            compact();
            if (!atEnd || m_pos == m_buffer.size())
                return false;
            line = m_buffer.mid(m_pos);
            m_pos = m_buffer.size();
            return true;
        }
        line = m_buffer.mid(m_pos, stop - m_pos);
        m_pos = stop + 1;
        if (m_buffer[stop] == '\r' && m_pos < m_buffer.size() && m_buffer[m_pos] == '\n')
            ++m_pos;
        return true;
    }

private:
    void compact()
    {
        m_buffer.remove(0, m_pos);
        m_searched -= m_pos;
        m_pos = 0;
    }

    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qsizetype m_searched = 0;
};

} // namespace

QByteArray UniqueIdReader::fromHeader(QIODevice &device)
{
    HeaderScan scan;
    LineSplitter lines;
    qint64 total = 0;
    bool atEnd = false;
    while (!atEnd) {
        const QByteArray chunk = device.read(std::min(ChunkSize, HeaderLimit - total));
        total += chunk.size();
        atEnd = chunk.isEmpty() || total >= HeaderLimit;
        lines.append(chunk);
        QByteArray line;
        while (lines.next(line, atEnd)) {
            if (!scan.feed(line))
                return scan.result();
        }
    }
    return scan.result();
}

QString UniqueIdReader::fromFileName(const QString &fileName)
{
    QString id = fileName;
    const qsizetype at = id.indexOf(QLatin1String(".ID"), 0, Qt::CaseInsensitive);
    if (at >= 0)
        id.remove(at, 3);
    return id;
}

} // namespace vesk
