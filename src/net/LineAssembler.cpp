#include "net/LineAssembler.h"

namespace vesk {

LineAssembler::LineAssembler(qsizetype maxLine, qsizetype maxDataLine)
    : m_maxLine(maxLine)
    , m_maxDataLine(maxDataLine)
{ }

bool LineAssembler::feed(const QByteArray &chunk)
{
    m_pending.append(chunk);
    if (m_feeding) {
        // A handler pumped the event loop and more bytes came: the running
        // feed judges them after the block in hand, keeping the order.
        return !m_overflowed;
    }
    m_feeding = true;
    m_overflowed = false;
    const std::weak_ptr<int> alive = m_alive;
    for (;;) {
        if (m_skippingLine && !skipLineRest())
            break;
        const qsizetype end = lastLineEnd(m_scanFrom);
        if (end < 0) {
            m_scanFrom = qMax<qsizetype>(0, m_pending.size() - 1);
            break;
        }
        const QByteArray block = m_pending.left(end);
        m_pending.remove(0, end + 2);
        m_position = m_consumed;
        m_consumed += end + 2;
        m_scanFrom = 0;
        judgeBlock(block, alive);
        if (alive.expired())
            return false;
    }
    m_feeding = false;
    const bool dataMode = inDataMode();
    const qsizetype limit = dataMode ? m_maxDataLine : m_maxLine;
    if (m_pending.size() > limit && dataMode && m_longDataLine) {
        m_skippingLine = true;
        skipLineRest();
        const std::function<void()> handler = m_longDataLine;
        handler();
        return true;
    }
    if (m_pending.size() > limit) {
        clear();
        m_overflowed = true;
        if (m_overflow) {
            const std::function<void()> handler = m_overflow;
            handler();
        }
        return false;
    }
    return true;
}

void LineAssembler::clear()
{
    m_pending.clear();
    m_scanFrom = 0;
    m_skippingLine = false;
    m_consumed = 0;
    m_position = 0;
    ++m_clears;
}

bool LineAssembler::skipLineRest()
{
    const qsizetype end = m_pending.indexOf("\r\n");
    // A CR at the end may be the first half of the CR LF.
    const qsizetype drop = end >= 0 ? end + 2 : m_pending.size() - (m_pending.endsWith('\r') ? 1 : 0);
    m_pending.remove(0, drop);
    m_consumed += drop;
    m_scanFrom = 0;
    if (end < 0)
        return false;
    m_skippingLine = false;
    return true;
}

qsizetype LineAssembler::lastLineEnd(qsizetype from) const
{
    // Only bytes not yet looked at can hold a new CR LF: no rescanning of a
    // long unfinished line for every chunk.
    for (qsizetype i = m_pending.size() - 1; i > from; --i) {
        if (m_pending.at(i) == '\n' && m_pending.at(i - 1) == '\r')
            return i - 1;
    }
    return -1;
}

void LineAssembler::judgeBlock(const QByteArray &block, const std::weak_ptr<int> &alive)
{
    const quint64 clears = m_clears;
    const auto stopped = [&] { return alive.expired() || m_clears != clears; };
    // Handlers are called through copies: a handler may replace itself or
    // destroy the assembler.
    if (m_monitor) {
        const TextHandler monitor = m_monitor;
        monitor(block);
        if (stopped())
            return;
    }
    qsizetype start = 0;
    const qint64 blockStart = m_position;
    for (;;) {
        m_position = blockStart + start;
        const TextHandler judge = m_judge;
        if (inDataMode()) {
            if (judge)
                judge(block.mid(start));
            return;
        }
        const qsizetype end = block.indexOf("\r\n", start);
        if (judge)
            judge(end < 0 ? block.mid(start) : block.mid(start, end - start));
        if (end < 0 || stopped())
            return;
        start = end + 2;
    }
}

} // namespace vesk
