#include "NetTestSupport.h"

#include "platform/EventPump.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk::test {

bool waitFor(const std::function<bool()> &done, int ms)
{
    constexpr int kStepMs = 2;
    return QtEventPump::instance().waitUntil(done, ms / kStepMs + 1, kStepMs);
}

void pumpFor(int ms)
{
    QtEventPump::instance().pause(ms);
}

static void setNonBlocking(int handle)
{
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) | O_NONBLOCK);
}

RawConnection::RawConnection(int handle, bool autoRead)
    : m_handle(handle)
{
    setNonBlocking(m_handle);
    m_notifier = std::make_unique<QSocketNotifier>(m_handle, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readAvailable(); });
    m_notifier->setEnabled(autoRead);
}

RawConnection::~RawConnection()
{
    m_notifier.reset();
    if (m_handle >= 0)
        ::close(m_handle);
}

std::unique_ptr<RawConnection> RawConnection::connectTo(quint16 port, bool ipv6, bool autoRead)
{
    int handle = -1;
    if (ipv6) {
        handle = ::socket(AF_INET6, SOCK_STREAM, 0);
        sockaddr_in6 address {};
        address.sin6_family = AF_INET6;
        address.sin6_port = htons(port);
        address.sin6_addr = in6addr_loopback;
        if (::connect(handle, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
            ::close(handle);
            return nullptr;
        }
    } else {
        handle = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(handle, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
            ::close(handle);
            return nullptr;
        }
    }
    return std::make_unique<RawConnection>(handle, autoRead);
}

void RawConnection::setAutoRead(bool on)
{
    m_notifier->setEnabled(on && !eof && !error);
}

bool RawConnection::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    return waitFor([&] {
        while (done < bytes.size()) {
            const ssize_t sent
                = ::send(m_handle, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
            if (sent <= 0)
                return sent < 0 && errno != EAGAIN;
            done += sent;
        }
        return true;
    }) && done == bytes.size();
}

void RawConnection::shutdownWrite()
{
    ::shutdown(m_handle, SHUT_WR);
}

void RawConnection::resetClose()
{
    const linger option { 1, 0 };
    ::setsockopt(m_handle, SOL_SOCKET, SO_LINGER, &option, sizeof option);
    m_notifier.reset();
    ::close(m_handle);
    m_handle = -1;
}

void RawConnection::readAvailable()
{
    if (m_handle < 0 || eof || error)
        return;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::recv(m_handle, buffer, sizeof buffer, 0);
        if (got > 0) {
            data.append(buffer, got);
            continue;
        }
        if (got == 0)
            eof = true;
        else if (errno != EAGAIN && errno != EINTR)
            error = errno;
        if (eof || error)
            m_notifier->setEnabled(false);
        return;
    }
}

bool RawConnection::waitForBytes(qsizetype count, int ms)
{
    return waitFor(
               [&] {
                   readAvailable();
                   return data.size() >= count || eof || error;
               },
               ms)
        && data.size() >= count;
}

bool RawConnection::waitForEof(int ms)
{
    return waitFor(
        [&] {
            readAvailable();
            return eof || error;
        },
        ms);
}

RawListener::RawListener()
{
    m_handle = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(m_handle, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_handle, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(m_handle, 16);
    socklen_t length = sizeof address;
    ::getsockname(m_handle, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    setNonBlocking(m_handle);
}

RawListener::~RawListener()
{
    ::close(m_handle);
}

std::unique_ptr<RawConnection> RawListener::accept(int ms, bool autoRead)
{
    int accepted = -1;
    waitFor(
        [&] {
            accepted = ::accept(m_handle, nullptr, nullptr);
            return accepted >= 0;
        },
        ms);
    if (accepted < 0)
        return nullptr;
    return std::make_unique<RawConnection>(accepted, autoRead);
}

int RawListener::pendingNow()
{
    pollfd entry { m_handle, POLLIN, 0 };
    return ::poll(&entry, 1, 0) > 0 ? 1 : 0;
}

quint16 unusedPort()
{
    RawListener listener;
    return listener.port();
}

QByteArray patternBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 0x12345678u;
    for (qsizetype i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes[i] = char(state >> 24);
    }
    return bytes;
}

} // namespace vesk::test
