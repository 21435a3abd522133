#include "net/TKTcpClient.h"

#include "net/SocketErrors.h"
#include "net/WinSockCodes.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vesk {

TKTcpClient::TKTcpClient(QObject *owner, NetServices services)
    : TKStreamTranciverSocket(owner, services)
    , m_finder(new TKIpFinder(this, services.resolver))
    , m_serverAddress(TKIpFinder::noAddress())
{
    m_finder->setOnFind([this](QObject *, const QHostAddress &address) { addressFound(address); });
    m_finder->setOnError([this](QObject *, const TKError &error) { lookupFailed(error); });
}

TKTcpClient::~TKTcpClient()
{
    m_finder->cancel();
    setSilent(true);
}

void TKTcpClient::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (!active) {
        close();
        return;
    }
    if (m_finder->busy())
        return;
    // A name whose lookup failed earlier is looked up again rather than
    // connecting to no address at all.
    if (m_serverAddress == TKIpFinder::noAddress() && !m_serverName.isEmpty())
        m_finder->find(m_serverName);
    else
        connectNow();
}

void TKTcpClient::setServerName(const QString &name)
{
    if (name == m_serverName)
        return;
    m_serverName = name;
    m_serverAddress = TKIpFinder::noAddress();
    m_finder->find(name);
}

void TKTcpClient::setPort(quint16 port)
{
    if (port == m_port)
        return;
    const bool wasActive = m_active;
    setActive(false);
    m_port = port;
    setActive(wasActive);
}

void TKTcpClient::close()
{
    m_active = false;
    m_connecting = false;
    TKStreamTranciverSocket::close();
    m_connected = false;
}

void TKTcpClient::addressFound(const QHostAddress &address)
{
    m_serverAddress = address;
    connectNow();
}

void TKTcpClient::lookupFailed(const TKError &error)
{
    m_active = false;
    if (silent() || !onError())
        return;
    DispatchGuard guard(this);
    const TKErrorEvent handler = onError();
    handler(this, error);
}

void TKTcpClient::connectNow()
{
    if (!m_active)
        return;
    if (handle() != InvalidSocket) {
        if (m_connected) {
            doError(wsa::WSAEISCONN);
            return;
        }
        // The socket of an earlier attempt that failed or is still under way.
        m_connecting = false;
        closeHandle();
    }
    if (allocateSocket() == InvalidSocket)
        return;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_port);
    address.sin_addr.s_addr = htonl(m_serverAddress.toIPv4Address());
    if (::connect(handle(), reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
        postMessage(FD_CONNECT);
        return;
    }
    const int code = lastSocketError();
    if (code == wsa::WSAEINPROGRESS || code == wsa::WSAEWOULDBLOCK || code == wsa::WSAEINTR) {
        m_connecting = true;
        watcher().setWriteEnabled(true);
        return;
    }
    doError(code);
}

void TKTcpClient::socketWritable()
{
    if (!m_connecting) {
        TKStreamTranciverSocket::socketWritable();
        return;
    }
    m_connecting = false;
    watcher().setWriteEnabled(false);
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(handle(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    dispatch(makeMessage(FD_CONNECT, error ? winSockCodeFromErrno(error) : 0));
}

void TKTcpClient::wndProc(const SocketMessage &message)
{
    if (message.event == FD_CONNECT && handle() != InvalidSocket)
        doConnect(message);
    else
        TKStreamTranciverSocket::wndProc(message);
}

void TKTcpClient::doConnect(const SocketMessage &message)
{
    if (message.error) {
        doError(message.error);
        return;
    }
    m_connected = true;
    startReading();
    // As after a connect on the original platform, a write report follows:
    // whatever was queued before the connection stood goes out then.
    postWrite();
    fire(onConnect());
}

void TKTcpClient::doWrite(const SocketMessage &message)
{
    if (m_connected)
        TKStreamTranciverSocket::doWrite(message);
}

void TKTcpClient::doClose(const SocketMessage &message)
{
    m_connected = false;
    TKStreamTranciverSocket::doClose(message);
}

} // namespace vesk
