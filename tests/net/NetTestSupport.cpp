#include "NetTestSupport.h"

#include <sys/socket.h>

namespace vesk::test {

RawConnection::RawConnection(QTcpSocket *socket, bool autoRead)
    : m_socket(socket)
{
    m_socket->setParent(nullptr);
    QObject::connect(m_socket.get(), &QTcpSocket::readyRead, [this] {
        if (m_socket->readBufferSize() == 0)
            data += m_socket->readAll();
    });
    setAutoRead(autoRead);
}

std::unique_ptr<RawConnection> RawConnection::connectTo(quint16 port, bool ipv6)
{
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(ipv6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost, port);
    return socket->waitForConnected(5000) ? std::make_unique<RawConnection>(socket.release()) : nullptr;
}

void RawConnection::setAutoRead(bool on)
{
    // A one-byte buffer: Qt stops reading, and the connection fills up.
    m_socket->setReadBufferSize(on ? 0 : 1);
    if (on)
        data += m_socket->readAll();
}

bool RawConnection::write(const QByteArray &bytes)
{
    m_socket->write(bytes);
    return waitFor([&] { return m_socket->bytesToWrite() == 0; });
}

void RawConnection::shutdownWrite()
{
    m_socket->flush();
    ::shutdown(handle(), SHUT_WR);
}

void RawConnection::resetClose()
{
    const linger option { 1, 0 };
    ::setsockopt(handle(), SOL_SOCKET, SO_LINGER, &option, sizeof option);
    m_socket->abort();
}

bool RawConnection::waitForBytes(qsizetype count, int ms)
{
    return waitFor([&] { return (data += m_socket->readAll()).size() >= count; }, ms);
}

bool RawConnection::waitForEof(int ms)
{
    return waitFor(
        [&] {
            data += m_socket->readAll();
            return m_socket->state() == QAbstractSocket::UnconnectedState;
        },
        ms);
}

std::unique_ptr<RawConnection> RawListener::accept(bool autoRead)
{
    waitFor([&] { return m_server.hasPendingConnections(); });
    QTcpSocket *socket = m_server.nextPendingConnection();
    return socket ? std::make_unique<RawConnection>(socket, autoRead) : nullptr;
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
