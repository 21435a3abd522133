#pragma once

#include <QByteArray>

#include <functional>
#include <memory>

namespace vesk {

// Turns the bytes of one connection into the units a protocol judge works on.
//
// Bytes are gathered until they end in CR LF; everything up to the last CR LF
// then forms a block (the rest waits for a later chunk). Outside data mode the
// block is split at each CR LF and every line (without its CR LF, empty lines
// included) goes to the judge in order; data mode is asked again before each
// line, and once it is on, the whole rest of the block goes to the judge in
// one call with its CR LFs. So a reply that arrives in pieces is judged once,
// when its CR LF has come, and a lone CR or LF never ends a line.
//
// Memory is bounded: bytes after the last CR LF may not exceed maxLine()
// (maxDataLine() while in data mode); past that the pending bytes are dropped,
// the overflow handler runs and feed() returns false. The connection should
// then be closed with an error (the table code WSAEMSGSIZE fits). In data
// mode a long-line handler may be set instead: the rest of that one line is
// then skipped up to its CR LF, the handler is told, and assembly goes on.
//
// Every byte has its place in the stream since the last clear(): position()
// is where the text being judged began, fed() how many bytes came so far.
//
// Use one assembler per connection.
class LineAssembler
{
public:
    static constexpr qsizetype DefaultMaxLine = 1024 * 1024;
    static constexpr qsizetype DefaultMaxDataLine = 16 * 1024 * 1024;

    using TextHandler = std::function<void(const QByteArray &text)>;
    using DataModeQuery = std::function<bool()>;

    explicit LineAssembler(qsizetype maxLine = DefaultMaxLine, qsizetype maxDataLine = DefaultMaxDataLine);

    // The judge: one line (outside data mode) or one block (in data mode).
    void setJudge(TextHandler judge) { m_judge = std::move(judge); }
    // Whether the connection is in data mode now; without it, never.
    void setDataMode(DataModeQuery query) { m_dataMode = std::move(query); }
    // Sees each whole block before it is judged (for the protocol monitor).
    void setMonitor(TextHandler monitor) { m_monitor = std::move(monitor); }
    void setOverflowHandler(std::function<void()> handler) { m_overflow = std::move(handler); }
    void setLongDataLineHandler(std::function<void()> handler) { m_longDataLine = std::move(handler); }

    // Adds received bytes and judges what became complete. Returns false if
    // the bytes without CR LF grew past the limit. Bytes fed from inside a
    // handler are judged after the current block, in order.
    bool feed(const QByteArray &chunk);
    // Forgets the bytes waiting for their CR LF and the rest of the block
    // being judged.
    void clear();

    const QByteArray &pending() const { return m_pending; }
    qint64 position() const { return m_position; }
    qint64 fed() const { return m_consumed + m_pending.size(); }
    qsizetype maxLine() const { return m_maxLine; }
    qsizetype maxDataLine() const { return m_maxDataLine; }

private:
    qsizetype lastLineEnd(qsizetype from) const;
    void judgeBlock(const QByteArray &block, const std::weak_ptr<int> &alive);
    bool inDataMode() const { return m_dataMode && m_dataMode(); }
    // Drops bytes up to and including the CR LF that ends a skipped line;
    // false while it has not come yet.
    bool skipLineRest();

    qsizetype m_maxLine;
    qsizetype m_maxDataLine;
    QByteArray m_pending;
    // Where a CR LF may start that has not been looked at yet.
    qsizetype m_scanFrom = 0;
    bool m_feeding = false;
    bool m_overflowed = false;
    bool m_skippingLine = false;
    // Bytes removed from the front of m_pending since the last clear.
    qint64 m_consumed = 0;
    qint64 m_position = 0;
    quint64 m_clears = 0;
    TextHandler m_judge;
    TextHandler m_monitor;
    DataModeQuery m_dataMode;
    std::function<void()> m_overflow;
    std::function<void()> m_longDataLine;
    // Lets a running feed notice that a handler destroyed the assembler.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

} // namespace vesk
