#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace vesk {

// The text of one DATA transfer as it arrives: lines keep their transfer form
// (a doubled leading dot stays doubled) and end with CR LF; the line "." ends
// it, wherever the packets happen to be cut. Bytes after the "." line belong
// to the next command. A body over the limit is counted but not kept.
class SmtpBody final
{
public:
    // `head` is put before the body (the envelope and trace lines).
    SmtpBody(QByteArray head, qint64 limit);

    // Takes bytes from the front of `data`; returns how many were taken
    // (all of them, or up to and including the end line).
    qsizetype feed(QByteArrayView data);

    bool complete() const { return m_complete; }
    bool overflow() const { return m_overflow; }
    qint64 bodySize() const { return m_bodySize; }
    // Where the body begins in text().
    qsizetype headSize() const { return m_headSize; }
    // The head and the body; only meaningful once complete and not overflowed.
    QByteArray &text() { return m_text; }

private:
    void append(QByteArrayView bytes);

    QByteArray m_text;
    qsizetype m_headSize;
    qint64 m_limit;
    qint64 m_bodySize = 0;
    QByteArray m_pending; // "." or ".\r" at a line start: maybe the end line
    bool m_atLineStart = true;
    bool m_lastWasCr = false;
    bool m_complete = false;
    bool m_overflow = false;
};

} // namespace vesk
