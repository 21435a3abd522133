#include "NetTestSupport.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk::test {

RawConnection::RawConnection(int handle, bool autoRead)
    : m_handle(handle)
{
    ::fcntl(m_handle, F_SETFL, ::fcntl(m_handle, F_GETFL) | O_NONBLOCK);
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

std::unique_ptr<RawConnection> RawConnection::connectTo(quint16 port, bool ipv6)
{
    sockaddr_in6 six {};
    six.sin6_family = AF_INET6;
    six.sin6_port = htons(port);
    six.sin6_addr = in6addr_loopback;
    sockaddr_in four {};
    four.sin_family = AF_INET;
    four.sin_port = htons(port);
    four.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int handle = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
    const int done = ipv6 ? ::connect(handle, reinterpret_cast<sockaddr *>(&six), sizeof six)
                          : ::connect(handle, reinterpret_cast<sockaddr *>(&four), sizeof four);
    if (done == 0)
        return std::make_unique<RawConnection>(handle);
    ::close(handle);
    return nullptr;
}

bool RawConnection::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    waitFor([&] {
        ssize_t sent = 0;
        while (done < bytes.size()
            && (sent = ::send(m_handle, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL))
                > 0)
            done += sent;
        return done == bytes.size() || (sent < 0 && errno != EAGAIN);
    });
    return done == bytes.size();
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
    char buffer[65536];
    while (m_handle >= 0 && !eof && !error) {
        const ssize_t got = ::recv(m_handle, buffer, sizeof buffer, 0);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (got > 0)
            data.append(buffer, got);
        eof = got == 0;
        error = got < 0 ? errno : 0;
    }
    if (m_notifier)
        m_notifier->setEnabled(false);
}

bool RawConnection::waitForBytes(qsizetype count, int ms)
{
    waitFor([&] { return readAvailable(), data.size() >= count || eof || error; }, ms);
    return data.size() >= count;
}

bool RawConnection::waitForEof(int ms)
{
    return waitFor([&] { return readAvailable(), eof || error; }, ms);
}

RawListener::RawListener()
{
    m_handle = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_handle, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(m_handle, 16);
    socklen_t length = sizeof address;
    ::getsockname(m_handle, reinterpret_cast<sockaddr *>(&address), &length);
    m_port = ntohs(address.sin_port);
    ::fcntl(m_handle, F_SETFL, O_NONBLOCK);
}

RawListener::~RawListener()
{
    ::close(m_handle);
}

std::unique_ptr<RawConnection> RawListener::accept(bool autoRead)
{
    int accepted = -1;
    waitFor([&] { return (accepted = ::accept(m_handle, nullptr, nullptr)) >= 0; });
    return accepted < 0 ? nullptr : std::make_unique<RawConnection>(accepted, autoRead);
}

bool RawListener::connectionWaiting() const
{
    pollfd entry { m_handle, POLLIN, 0 };
    return ::poll(&entry, 1, 0) > 0;
}

QByteArray patternBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 0x12345678u;
    for (char &byte : bytes)
        byte = char((state = state * 1664525u + 1013904223u) >> 24);
    return bytes;
}

} // namespace vesk::test
