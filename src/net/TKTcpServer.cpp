#include "net/TKTcpServer.h"

#include "net/SocketErrors.h"
#include "net/WinSockCodes.h"
#include "platform/Timer.h"

#include <QPointer>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk {
namespace {

// After running out of descriptors, accepting waits this long before trying
// again (a level-triggered listener would otherwise report without end).
constexpr int kAcceptRetryMs = 1000;

bool isTransientAcceptError(int error)
{
    // The waiting connection went away, or the call was interrupted: nothing
    // is wrong with the listener.
    switch (error) {
    case EAGAIN:
    case EINTR:
    case ECONNABORTED:
    case EPROTO:
    case ENETDOWN:
    case ENOPROTOOPT:
    case EHOSTDOWN:
    case ENONET:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EOPNOTSUPP:
        return true;
    default:
        return false;
    }
}

bool isResourceShortage(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM;
}

bool setReuseAddress(int handle)
{
    const int on = 1;
    return ::setsockopt(handle, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0;
}

} // namespace

TKTcpServer::TKTcpServer(QObject *owner, NetServices services)
    : TKStreamSock(owner, services)
    , m_watcher6(this)
    , m_acceptRetry(services.timerFactory().create())
{
    m_watcher6.setCallbacks(
        [this] {
            dispatch(SocketMessage { m_handle6, generation(), FD_ACCEPT, 0 });
        },
        {});
    m_acceptRetry->setInterval(kAcceptRetryMs);
    m_acceptRetry->setCallback([this] {
        m_acceptRetry->stop();
        if (handle() != InvalidSocket)
            watcher().setReadEnabled(true);
        if (m_handle6 != InvalidSocket)
            m_watcher6.setReadEnabled(true);
    });
}

TKTcpServer::~TKTcpServer()
{
    close();
    setSilent(true);
}

void TKTcpServer::setActive(bool active)
{
    if (active == m_active)
        return;
    if (active)
        open();
    else
        close();
}

void TKTcpServer::open()
{
    if (m_active)
        return;
    m_active = true;
    if (!listenIPv4())
        return;
    listenIPv6();
}

bool TKTcpServer::listenIPv4()
{
    if (allocateSocket() == InvalidSocket)
        return false;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_port);
    // The mailbox and the relay are for this user's programs only: loopback.
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (!setReuseAddress(handle())
        || ::bind(handle(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::listen(handle(), Backlog) != 0) {
        doError(lastSocketError());
        return false;
    }
    socklen_t length = sizeof address;
    if (::getsockname(handle(), reinterpret_cast<sockaddr *>(&address), &length) == 0)
        m_listeningPort = ntohs(address.sin_port);
    watcher().setReadEnabled(true);
    return true;
}

void TKTcpServer::listenIPv6()
{
    const int handle6 = ::socket(AF_INET6, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (handle6 < 0) {
        if (errno != EAFNOSUPPORT)
            doError(lastSocketError());
        return;
    }
    const int on = 1;
    sockaddr_in6 address {};
    address.sin6_family = AF_INET6;
    address.sin6_port = htons(m_listeningPort);
    address.sin6_addr = in6addr_loopback;
    if (::setsockopt(handle6, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on) != 0 || !setReuseAddress(handle6)
        || ::bind(handle6, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::listen(handle6, Backlog) != 0) {
        const int error = errno;
        ::close(handle6);
        // A host without IPv6 on its loopback simply has no ::1 listener.
        if (error != EADDRNOTAVAIL && error != EAFNOSUPPORT)
            doError(winSockCodeFromErrno(error));
        return;
    }
    m_handle6 = handle6;
    m_watcher6.watch(handle6);
    m_watcher6.setReadEnabled(true);
}

void TKTcpServer::closeIPv6()
{
    if (m_handle6 == InvalidSocket)
        return;
    m_watcher6.stop();
    ::close(std::exchange(m_handle6, InvalidSocket));
}

void TKTcpServer::closeChildren()
{
    while (!m_children.isEmpty())
        destroyChild(m_children.last());
}

void TKTcpServer::close()
{
    if (!m_active)
        return;
    closeChildren();
    m_active = false;
    m_refusing = false;
    m_acceptRetry->stop();
    m_listeningPort = 0;
    closeIPv6();
    closeHandle();
}

void TKTcpServer::socketReadable()
{
    dispatch(makeMessage(FD_ACCEPT));
}

void TKTcpServer::wndProc(const SocketMessage &message)
{
    if (message.event != FD_ACCEPT || !m_active)
        return;
    if (message.error) {
        doError(message.error);
        return;
    }
    accept(message.handle);
}

void TKTcpServer::accept(int listener)
{
    if (listener == InvalidSocket)
        return;
    const int accepted = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (accepted < 0) {
        const int error = errno;
        if (!isTransientAcceptError(error))
            acceptFailed(error);
        return;
    }
    if (m_refusing || m_children.size() >= m_maxChildren || (m_admission && !m_admission(accepted))) {
        turnAway(accepted);
        return;
    }
    auto *child = new TKTcpChildSock(this, accepted, services());
    if (m_childReceiveLimit > 0)
        child->setReceiveLimit(m_childReceiveLimit);
    m_children.append(child);
    bindChild(child);
    QPointer<TKTcpChildSock> alive = child;
    {
        // The handler may wait on the loop (or close the server) meanwhile.
        DispatchGuard childGuard(child);
        forward(m_onConnect, child);
        if (child->m_destroying)
            return;
    }
    if (alive && !child->m_destroying)
        child->start();
}

void TKTcpServer::turnAway(int handle)
{
    // An orderly close: a client that gets a reset while its connect is
    // still settling may take it for a failed connect and try again at once.
    ::close(handle);
}

void TKTcpServer::acceptFailed(int error)
{
    if (isResourceShortage(error)) {
        watcher().setReadEnabled(false);
        m_watcher6.setReadEnabled(false);
        m_acceptRetry->start();
    }
    doError(winSockCodeFromErrno(error));
}

void TKTcpServer::setOnRcvReady(TKServerNotifyEvent handler)
{
    m_onRcvReady = std::move(handler);
    for (TKTcpChildSock *child : std::as_const(m_children))
        bindRcvReady(child);
}

void TKTcpServer::bindRcvReady(TKTcpChildSock *child)
{
    child->setOnRcvReady([this](QObject *sender) { forward(m_onRcvReady, sender); });
}

void TKTcpServer::bindChild(TKTcpChildSock *child)
{
    child->setOnSendEmpty([this](QObject *sender) { forward(m_onSendEmpty, sender); });
    bindRcvReady(child);
    child->setOnDisconnect([this](QObject *sender) { forward(m_onDisconnect, sender); });
    child->setOnDestroy([this](QObject *sender) { forward(m_onChildDestroy, sender); });
    child->setOnError([this](QObject *sender, const TKError &error) {
        if (!m_onChildError)
            return;
        const TKChildErrorEvent handler = m_onChildError;
        handler(this, static_cast<TKTcpChildSock *>(sender), error);
    });
}

void TKTcpServer::forward(const TKServerNotifyEvent &event, QObject *child)
{
    if (!event || silent())
        return;
    const TKServerNotifyEvent handler = event;
    handler(this, static_cast<TKTcpChildSock *>(child));
}

void TKTcpServer::childClosed(TKTcpChildSock *child)
{
    if (!m_children.contains(child))
        return;
    // The loop may be served inside one of the child's handlers: its
    // destruction waits until they have all returned.
    if (child->isDispatching()) {
        child->m_destroyWhenIdle = true;
        return;
    }
    destroyChild(child);
}

void TKTcpServer::destroyChild(TKTcpChildSock *child)
{
    m_children.removeOne(child);
    child->destroy();
}

} // namespace vesk
