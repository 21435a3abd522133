#include "net/SendQueue.h"

namespace vesk {

void SendQueue::append(QByteArray block)
{
    if (block.isEmpty())
        return;
    m_bytes += block.size();
    m_blocks.push_back(std::move(block));
}

void SendQueue::consume(qsizetype count)
{
    m_cursor += count;
    m_bytes -= count;
    if (m_cursor >= m_blocks.front().size()) {
        m_blocks.pop_front();
        m_cursor = 0;
    }
}

void SendQueue::clear()
{
    m_blocks.clear();
    m_cursor = 0;
    m_bytes = 0;
}

} // namespace vesk
