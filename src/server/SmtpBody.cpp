#include "server/SmtpBody.h"

#include <algorithm>

namespace vesk {

SmtpBody::SmtpBody(QByteArray head, qint64 limit)
    : m_text(std::move(head))
    , m_headSize(m_text.size())
    , m_limit(limit)
{ }

void SmtpBody::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    m_bodySize += bytes.size();
    m_lastWasCr = bytes.back() == '\r';
    if (m_bodySize > m_limit) {
        // Drop what was kept: nothing of it will be filed.
        if (!m_overflow)
            m_text = QByteArray();
        m_overflow = true;
        return;
    }
    m_text += bytes;
}

qsizetype SmtpBody::feed(QByteArrayView data)
{
    static const QByteArrayView endLine(".\r\n");
    qsizetype pos = 0;
    while (pos < data.size() && !m_complete) {
        if (m_atLineStart) {
            const qsizetype want = std::min<qsizetype>(endLine.size() - m_pending.size(), data.size() - pos);
            const QByteArray candidate = m_pending + data.sliced(pos, want).toByteArray();
            if (endLine.startsWith(candidate)) {
                pos += want;
                if (candidate.size() == endLine.size()) {
                    m_pending.clear();
                    m_complete = true;
                } else {
                    m_pending = candidate;
                }
                continue;
            }
            append(m_pending);
            m_pending.clear();
            m_atLineStart = false;
        }
        const qsizetype newline = data.indexOf('\n', pos);
        if (newline < 0) {
            append(data.sliced(pos));
            pos = data.size();
            break;
        }
        // Only CR LF ends a line; a lone LF stays inside it.
        const bool crBefore = newline > pos ? data[newline - 1] == '\r' : m_lastWasCr;
        append(data.sliced(pos, newline + 1 - pos));
        m_atLineStart = crBefore;
        pos = newline + 1;
    }
    return pos;
}

} // namespace vesk
