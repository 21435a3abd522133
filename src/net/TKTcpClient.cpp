#include "net/TKTcpClient.h"

#include "net/SocketErrors.h"
#include "net/WinSockCodes.h"
#include "platform/Timer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace vesk {
namespace {

// The socket address for `address` and `port`; its length.
socklen_t socketAddress(const QHostAddress &address, quint16 port, sockaddr_storage *storage)
{
    *storage = {};
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, bytes.c, sizeof bytes.c);
        const QString scope = address.scopeId();
        if (!scope.isEmpty()) {
            bool isNumber = false;
            const uint id = scope.toUInt(&isNumber);
            in6->sin6_scope_id = isNumber ? id : ::if_nametoindex(scope.toLatin1().constData());
        }
        return sizeof(sockaddr_in6);
    }
    auto *in4 = reinterpret_cast<sockaddr_in *>(storage);
    in4->sin_family = AF_INET;
    in4->sin_port = htons(port);
    in4->sin_addr.s_addr = htonl(address.toIPv4Address());
    return sizeof(sockaddr_in);
}

} // namespace

TKTcpClient::TKTcpClient(QObject *owner, NetServices services)
    : TKStreamTranciverSocket(owner, services)
    , m_finder(new TKIpFinder(this, services.resolver))
    , m_attemptTimer(services.timerFactory().create())
    , m_serverAddress(TKIpFinder::noAddress())
{
    m_attemptTimer->setInterval(AttemptTimeoutMs);
    m_attemptTimer->setCallback([this] { attemptTimedOut(); });
    m_finder->setOnFind([this](QObject *, const QHostAddress &) { addressFound(); });
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
    m_addresses.clear();
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
    m_attemptTimer->stop();
    TKStreamTranciverSocket::close();
    m_connected = false;
}

void TKTcpClient::addressFound()
{
    m_addresses = m_finder->addresses();
    m_serverAddress = m_addresses.value(0, TKIpFinder::noAddress());
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
    m_attempt = 0;
    tryAddress();
}

void TKTcpClient::tryAddress()
{
    m_attemptTimer->stop();
    if (handle() != InvalidSocket) {
        if (m_connected) {
            doError(wsa::WSAEISCONN);
            return;
        }
        // The socket of an earlier attempt that failed or is still under way.
        m_connecting = false;
        closeHandle();
    }
    m_serverAddress = m_addresses.value(m_attempt, m_serverAddress);
    const bool ipv6 = m_serverAddress.protocol() == QAbstractSocket::IPv6Protocol;
    setAddressFamily(ipv6 ? AF_INET6 : AF_INET);
    int code = 0;
    if (openSocket(&code) == InvalidSocket) {
        // A machine without IPv6 cannot even make the socket: the next
        // address may still do.
        attemptFailed(code);
        return;
    }
    sockaddr_storage address;
    const socklen_t length = socketAddress(m_serverAddress, m_port, &address);
    if (::connect(handle(), reinterpret_cast<const sockaddr *>(&address), length) == 0) {
        postMessage(FD_CONNECT);
        return;
    }
    code = lastSocketError();
    if (code == wsa::WSAEINPROGRESS || code == wsa::WSAEWOULDBLOCK || code == wsa::WSAEINTR) {
        m_connecting = true;
        watcher().setWriteEnabled(true);
        if (m_attempt + 1 < m_addresses.size())
            m_attemptTimer->start();
        return;
    }
    attemptFailed(code);
}

bool TKTcpClient::tryNextAddress()
{
    if (!m_active || m_attempt + 1 >= m_addresses.size())
        return false;
    ++m_attempt;
    tryAddress();
    return true;
}

void TKTcpClient::attemptFailed(int code)
{
    if (!tryNextAddress())
        doError(code);
}

void TKTcpClient::attemptTimedOut()
{
    m_attemptTimer->stop();
    if (!m_connecting)
        return;
    m_connecting = false;
    watcher().setWriteEnabled(false);
    tryNextAddress();
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
    m_attemptTimer->stop();
    if (message.error) {
        attemptFailed(message.error);
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
