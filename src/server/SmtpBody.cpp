#include "server/SmtpBody.h"

#include "platform/StagedFile.h"

#include <algorithm>

namespace vesk {

SmtpBody::SmtpBody(QByteArray head, qint64 limit)
    : m_text(std::move(head))
    , m_headSize(m_text.size())
    , m_limit(limit)
{ }

SmtpBody::~SmtpBody() = default;

void SmtpBody::spoolTo(std::unique_ptr<StagedFile> spool, HeaderFix fix)
{
    m_spool = std::move(spool);
    m_fix = std::move(fix);
}

void SmtpBody::append(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    m_bodySize += bytes.size();
    m_lastWasCr = bytes.back() == '\r';
    if (m_bodySize > m_limit) {
        // Drop what was kept: nothing of it will be filed.
        if (!m_overflow) {
            m_text = QByteArray();
            if (m_spool)
                m_spool->discard();
        }
        m_overflow = true;
        return;
    }
    if (!m_spool || m_text.size() + bytes.size() <= HoldBytes) {
        m_text += bytes;
        return;
    }
    if (!m_fixed) {
        // The fix-up sees the first HoldBytes whole.
        const qsizetype room = std::clamp<qsizetype>(HoldBytes - m_text.size(), 0, bytes.size());
        m_text += bytes.first(room);
        bytes = bytes.sliced(room);
    }
    spill();
    if (bytes.size() >= HoldBytes)
        m_spool->append(bytes);
    else
        m_text += bytes;
}

void SmtpBody::spill()
{
    if (!m_fixed) {
        m_fixed = true;
        if (m_fix)
            m_fix(m_text, m_headSize);
    }
    // A failed spool takes nothing more; the message is refused at its end.
    m_spool->append(m_text);
    m_text.resize(0);
}

bool SmtpBody::finishSpool()
{
    if (!m_spool || m_overflow)
        return false;
    spill();
    return m_spool->result().ok();
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
