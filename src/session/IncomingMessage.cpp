#include "session/IncomingMessage.h"

#include <algorithm>

namespace vesk {

IncomingMessage::Result IncomingMessage::add(const QByteArray &block)
{
    if (block == ".")
        return Result::Complete;
    // A text line "." would have been sent as "..", so CR LF "." at the end of
    // a block can only be the terminator.
    const bool last = block.size() >= 3 && block.endsWith("\r\n.");
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

void IncomingMessage::clear()
{
    m_content.clear();
    m_content.squeeze();
}

} // namespace vesk
