#include "net/TKTcpChildSock.h"

#include "net/TKTcpServer.h"

#include <QPointer>

namespace vesk {

TKTcpChildSock::TKTcpChildSock(TKTcpServer *server, int handle, NetServices services)
    : TKStreamTranciverSocket(server, std::move(services))
    , m_server(server)
{
    setSocket(handle);
}

TKTcpChildSock::~TKTcpChildSock()
{
    fireDestroy();
    setSilent(true);
}

void TKTcpChildSock::close()
{
    if (handle() == InvalidSocket)
        return;
    TKStreamTranciverSocket::close();
    postClosed();
}

void TKTcpChildSock::postClosed()
{
    if (!m_server || m_destroying)
        return;
    QPointer<TKTcpServer> server = m_server;
    QPointer<TKTcpChildSock> child = this;
    QMetaObject::invokeMethod(
        server,
        [server, child] {
            if (server && child)
                server->childClosed(child);
        },
        Qt::QueuedConnection);
}

void TKTcpChildSock::dispatchFinished()
{
    if (m_destroyWhenIdle) {
        m_destroyWhenIdle = false;
        postClosed();
    }
}

void TKTcpChildSock::doClose(const SocketMessage &message)
{
    const quint64 current = generation();
    TKStreamTranciverSocket::doClose(message);
    if (generation() == current && !m_destroying)
        close();
}

void TKTcpChildSock::start()
{
    startReading();
    // The accepted connection can take data at once: the greeting queued by
    // the connect handler goes out with this first write report.
    postWrite();
}

void TKTcpChildSock::destroy()
{
    if (m_destroying)
        return;
    m_destroying = true;
    closeHandle();
    fireDestroy();
    m_server = nullptr;
    deleteWhenIdle();
}

void TKTcpChildSock::fireDestroy()
{
    if (!m_onDestroy)
        return;
    const TKNotifyEvent handler = std::exchange(m_onDestroy, TKNotifyEvent());
    DispatchGuard guard(this);
    handler(this);
}

} // namespace vesk
