#include "net/TKStreamSock.h"

#include "net/SocketErrors.h"
#include "net/TKWinSockError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk {

TKStreamSock::DispatchGuard::DispatchGuard(TKStreamSock *socket)
    : m_socket(socket)
{
    ++m_socket->m_dispatchDepth;
}

TKStreamSock::DispatchGuard::~DispatchGuard()
{
    if (--m_socket->m_dispatchDepth != 0)
        return;
    if (!m_socket->m_deleteWhenIdle) {
        m_socket->dispatchFinished();
        return;
    }
    if (!m_socket->m_deletePosted) {
        // Callers up the stack may still touch members: delete from the loop.
        TKStreamSock *socket = m_socket;
        socket->m_deletePosted = true;
        QMetaObject::invokeMethod(
            socket, [socket] { delete socket; }, Qt::QueuedConnection);
    }
}

TKStreamSock::TKStreamSock(QObject *owner, NetServices services)
    : QObject(owner)
    , m_services(std::move(services))
    , m_watcher(this)
    , m_family(AF_INET)
{
    m_watcher.setCallbacks([this] { socketReadable(); }, [this] { socketWritable(); });
}

TKStreamSock::~TKStreamSock()
{
    m_silent = true;
    closeHandle();
}

int TKStreamSock::allocateSocket()
{
    int error = 0;
    const int handle = openSocket(&error);
    if (handle == InvalidSocket)
        doError(error);
    return handle;
}

int TKStreamSock::openSocket(int *error)
{
    if (m_handle != InvalidSocket)
        return m_handle;
    const int handle = ::socket(m_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (handle < 0) {
        *error = lastSocketError();
        return InvalidSocket;
    }
    adopt(handle);
    return handle;
}

void TKStreamSock::setSocket(int handle)
{
    if (handle == m_handle)
        return;
    close();
    if (handle == InvalidSocket)
        return;
    const int flags = ::fcntl(handle, F_GETFL);
    if (flags < 0 || ::fcntl(handle, F_SETFL, flags | O_NONBLOCK) < 0)
        doError(lastSocketError());
    ::fcntl(handle, F_SETFD, FD_CLOEXEC);
    adopt(handle);
}

void TKStreamSock::close()
{
    closeHandle();
}

void TKStreamSock::closeHandle()
{
    if (m_handle == InvalidSocket)
        return;
    m_watcher.stop();
    const int handle = std::exchange(m_handle, InvalidSocket);
    ++m_generation;
    // The descriptor is gone even when close reports EINTR.
    if (::close(handle) != 0 && errno != EINTR)
        doError(lastSocketError());
}

void TKStreamSock::wndProc(const SocketMessage &)
{ }

void TKStreamSock::doError(int code)
{
    if (m_silent || !m_onError)
        return;
    DispatchGuard guard(this);
    const TKWinSockError error(code);
    const TKErrorEvent handler = m_onError;
    handler(this, error);
}

SocketMessage TKStreamSock::makeMessage(int event, int error) const
{
    return SocketMessage { m_handle, m_generation, event, error };
}

void TKStreamSock::postMessage(int event, int error)
{
    const SocketMessage message = makeMessage(event, error);
    QMetaObject::invokeMethod(
        this, [this, message] { deliver(message); }, Qt::QueuedConnection);
}

void TKStreamSock::deliver(const SocketMessage &message)
{
    if (message.generation == m_generation && !m_deleteWhenIdle)
        dispatch(message);
}

void TKStreamSock::dispatch(const SocketMessage &message)
{
    DispatchGuard guard(this);
    wndProc(message);
}

void TKStreamSock::fire(const TKNotifyEvent &event)
{
    if (m_silent || !event)
        return;
    DispatchGuard guard(this);
    const TKNotifyEvent handler = event;
    handler(this);
}

void TKStreamSock::deleteWhenIdle()
{
    if (m_dispatchDepth == 0) {
        delete this;
        return;
    }
    setParent(nullptr);
    m_deleteWhenIdle = true;
}

void TKStreamSock::adopt(int handle)
{
    m_handle = handle;
    ++m_generation;
    m_watcher.watch(handle);
    socketAdopted();
}

} // namespace vesk
