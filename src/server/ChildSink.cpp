#include "server/ChildSink.h"

#include "net/TKTcpChildSock.h"

namespace vesk {

ChildSink::ChildSink(TKTcpChildSock *child)
    : m_child(child)
{ }

void ChildSink::send(const QByteArray &bytes)
{
    if (m_child)
        m_child->send(bytes);
}

void ChildSink::closeAfterSend()
{
    if (m_child)
        m_child->closeAfterSend();
}

void ChildSink::close()
{
    if (m_child)
        m_child->close();
}

QByteArray ChildSink::receive()
{
    return m_child ? m_child->receive() : QByteArray();
}

qsizetype ChildSink::queuedBytes() const
{
    return m_child ? m_child->queuedBytes() : 0;
}

} // namespace vesk
