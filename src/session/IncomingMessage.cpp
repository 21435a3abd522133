#include "session/IncomingMessage.h"

#include <algorithm>

namespace vesk {

IncomingMessage::Result IncomingMessage::add(const QByteArray &block)
{
    if (block == ".")
        return Result::Complete;
    // A text line "." would have been sent as "..", so a "." line can only
    // be the terminator: at the end of a block, since nothing may follow it
    // before the next command.
    if (block.startsWith(".\r\n") || block.contains("\r\n.\r\n"))
        return Result::OutOfStep;
    const bool last = block.size() >= 3 && block.endsWith("\r\n.");
    if (m_skipping)
        return last ? Result::Complete : Result::More;
    const qsizetype keep = last ? block.size() - 3 : block.size();
    if (qint64(m_content.size()) + keep + 2 > m_limit)
        return Result::TooLarge;
    m_content.append(block.constData(), keep);
    m_content.append("\r\n", 2);
    return last ? Result::Complete : Result::More;
}

void IncomingMessage::expect(qint64 size)
{
    // LIST sizes come from the peer: reserve ahead only a modest amount.
    const qint64 wanted = std::min({ size + 4096, m_limit, qint64(64) * 1024 * 1024 });
    if (wanted > m_content.capacity() && wanted > 0)
        m_content.reserve(qsizetype(wanted));
}

void IncomingMessage::skipRest()
{
    m_content.clear();
    m_content.squeeze();
    m_skipping = true;
}

void IncomingMessage::clear()
{
    m_content.clear();
    m_content.squeeze();
    m_skipping = false;
}

} // namespace vesk
