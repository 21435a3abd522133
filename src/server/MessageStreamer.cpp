#include "server/MessageStreamer.h"

#include "platform/RegularFile.h"

#include <algorithm>
#include <cstring>

namespace vesk {
namespace {

constexpr qint64 ReadChunk = 64 * 1024;
// A line longer than this goes out in pieces instead of being held whole.
constexpr qsizetype MaxHeldLine = 64 * 1024;

bool isEnvelopeLine(const QByteArray &line)
{
    return line.left(9).toUpper() == "VESKFROM:" || line.left(7).toUpper() == "VESKTO:";
}

} // namespace

MessageStreamer::MessageStreamer(const QString &path, int topLines)
    : m_path(path)
    , m_topLines(topLines)
{ }

bool MessageStreamer::open()
{
    return RegularFile::openForReading(m_file, m_path);
}

bool MessageStreamer::refill()
{
    if (m_eof)
        return false;
    // The same buffer each time: a fresh one per chunk makes the heap grow
    // and shrink with every piece of a large message.
    m_buffer.resize(ReadChunk);
    const qint64 got = m_file.read(m_buffer.data(), ReadChunk);
    m_buffer.resize(std::max<qint64>(got, 0));
    m_pos = 0;
    if (m_buffer.isEmpty())
        m_eof = true;
    return !m_eof;
}

bool MessageStreamer::classify(const QByteArray &line)
{
    // Envelope lines lead the file; a later line that happens to look like
    // one is part of the message.
    if (m_inEnvelope && isEnvelopeLine(line))
        return false;
    m_inEnvelope = false;
    if (m_inBody)
        ++m_bodyCount;
    else if (line.isEmpty()) {
        m_inBody = true;
        m_bodyCount = 1;
    }
    return true;
}

void MessageStreamer::holdOrFlush(QByteArray &out)
{
    if (m_line.size() <= MaxHeldLine)
        return;
    if (!m_lineFlushed) {
        m_skipLine = !classify(m_line);
        m_lineFlushed = true;
    }
    // A CR at the end may be the first half of the line's CR LF.
    const qsizetype keep = m_line.endsWith('\r') ? 1 : 0;
    if (!m_skipLine)
        out += QByteArrayView(m_line).first(m_line.size() - keep);
    m_line = m_line.right(keep);
}

void MessageStreamer::lineDone(QByteArray &out, const LineObserver &observer, const Progress &progress)
{
    if (m_line.endsWith('\r'))
        m_line.chop(1);
    const bool skip = m_lineFlushed ? m_skipLine : !classify(m_line);
    const bool whole = !m_lineFlushed;
    m_lineFlushed = false;
    m_skipLine = false;
    if (skip) {
        m_line.clear();
        return;
    }
    // A lone "." would end the message early at the mailer.
    if (whole && m_line == ".")
        m_line = "..";
    if (whole && observer)
        observer(m_line);
    out += m_line;
    out += "\r\n";
    m_line.clear();
    if (++m_lines % 100 == 0 && progress)
        progress();
    if (m_topLines >= 0 && m_inBody && m_bodyCount > m_topLines)
        finish(out);
}

void MessageStreamer::finish(QByteArray &out)
{
    out += ".\r\n";
    m_finished = true;
    m_file.close();
}

void MessageStreamer::copyCleanLines(QByteArray &out, qsizetype target, const Progress &progress)
{
    // Whole lines that already end in CR LF and are not a lone "." go out as
    // they are, in one piece.
    const char *data = m_buffer.constData();
    const qsizetype size = m_buffer.size();
    qsizetype end = m_pos;
    while (out.size() + (end - m_pos) < target) {
        const char *newline = static_cast<const char *>(std::memchr(data + end, '\n', size_t(size - end)));
        if (!newline)
            break;
        const qsizetype at = newline - data;
        const qsizetype length = at - end;
        if (length == 0 || data[at - 1] != '\r' || (length == 2 && data[end] == '.'))
            break;
        end = at + 1;
        if (++m_lines % 100 == 0 && progress)
            progress();
    }
    out += QByteArrayView(data + m_pos, end - m_pos);
    m_pos = end;
}

bool MessageStreamer::fill(
    QByteArray &out, qsizetype budget, const LineObserver &observer, const Progress &progress)
{
    const qsizetype target = out.size() + budget;
    while (!m_finished && out.size() < target) {
        if (m_pos >= m_buffer.size() && !refill()) {
            if (!m_line.isEmpty() || m_lineFlushed)
                lineDone(out, observer, progress);
            if (!m_finished)
                finish(out);
            break;
        }
        if (!observer && m_topLines < 0 && !m_inEnvelope && m_line.isEmpty() && !m_lineFlushed)
            copyCleanLines(out, target, progress);
        if (m_pos >= m_buffer.size())
            continue;
        const qsizetype newline = m_buffer.indexOf('\n', m_pos);
        if (newline < 0) {
            m_line += QByteArrayView(m_buffer).sliced(m_pos);
            m_pos = m_buffer.size();
            holdOrFlush(out);
            continue;
        }
        m_line += QByteArrayView(m_buffer).sliced(m_pos, newline - m_pos);
        m_pos = newline + 1;
        lineDone(out, observer, progress);
    }
    return m_finished;
}

} // namespace vesk
