#pragma once

#include <QByteArray>

#include <deque>

namespace vesk {

// The blocks waiting to be sent, in order, with a cursor into the first one
// so that a partly sent block goes on where it stopped.
class SendQueue
{
public:
    void append(QByteArray block);
    bool isEmpty() const { return m_blocks.empty(); }
    const char *frontData() const { return m_blocks.front().constData() + m_cursor; }
    qsizetype frontRemaining() const { return m_blocks.front().size() - m_cursor; }
    // Marks `count` bytes of the first block as sent; a finished block is dropped.
    void consume(qsizetype count);
    void clear();
    qsizetype bytes() const { return m_bytes; }

private:
    std::deque<QByteArray> m_blocks;
    qsizetype m_cursor = 0;
    qsizetype m_bytes = 0;
};

} // namespace vesk
