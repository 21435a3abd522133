#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace vesk {

class StagedFile;

// The text of one DATA transfer as it arrives: lines keep their transfer form
// (a doubled leading dot stays doubled) and end with CR LF; the line "." ends
// it, wherever the packets happen to be cut. Bytes after the "." line belong
// to the next command. A body over the limit is counted but not kept.
//
// Held in memory unless spooled: then only the head and the start of the
// body (HoldBytes) wait in memory, for the header fix-up, and everything
// goes on to a staged file, so that neither the size nor the number of
// messages on their way can make the memory grow.
class SmtpBody final
{
public:
    // Applied once to the held text (head and start of the body; body from
    // `headSize` on) before any of it is written: a header longer than the
    // held text is fixed in its first part only.
    using HeaderFix = std::function<void(QByteArray &text, qsizetype headSize)>;
    static constexpr qsizetype HoldBytes = 64 * 1024;

    // `head` is put before the body (the envelope and trace lines).
    SmtpBody(QByteArray head, qint64 limit);
    ~SmtpBody();

    void spoolTo(std::unique_ptr<StagedFile> spool, HeaderFix fix);

    // Takes bytes from the front of `data`; returns how many were taken
    // (all of them, or up to and including the end line).
    qsizetype feed(QByteArrayView data);

    bool complete() const { return m_complete; }
    bool overflow() const { return m_overflow; }
    qint64 bodySize() const { return m_bodySize; }
    // Where the body begins in text().
    qsizetype headSize() const { return m_headSize; }
    // Without a spool: the head and the body, once complete and not
    // overflowed. With one: what is held until the next write.
    QByteArray &text() { return m_text; }
    qsizetype heldBytes() const { return m_text.size(); }

    StagedFile *spool() const { return m_spool.get(); }
    // Writes what is still held (fixed first); false when the spool failed.
    bool finishSpool();

private:
    void append(QByteArrayView bytes);
    void spill();

    QByteArray m_text;
    qsizetype m_headSize;
    qint64 m_limit;
    qint64 m_bodySize = 0;
    QByteArray m_pending; // "." or ".\r" at a line start: maybe the end line
    bool m_atLineStart = true;
    bool m_lastWasCr = false;
    bool m_complete = false;
    bool m_overflow = false;
    std::unique_ptr<StagedFile> m_spool;
    HeaderFix m_fix;
    bool m_fixed = false;
};

} // namespace vesk
