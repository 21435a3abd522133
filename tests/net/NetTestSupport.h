#pragma once

#include "support/Printers.h"
#include "support/WaitFor.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace vesk::test {

// The far end of a connection, for seeing what the socket classes put on the
// wire. Reads by itself from the event loop unless told not to (a peer that
// never reads).
class RawConnection final
{
public:
    explicit RawConnection(QTcpSocket *socket, bool autoRead = true);
    static std::unique_ptr<RawConnection> connectTo(quint16 port, bool ipv6 = false);

    int handle() const { return int(m_socket->socketDescriptor()); }
    void setAutoRead(bool on);
    bool write(const QByteArray &bytes);
    void shutdownWrite();
    void resetClose(); // closes with a reset
    bool waitForBytes(qsizetype count, int ms = 5000);
    bool waitForEof(int ms = 5000);

    QByteArray data;

private:
    std::unique_ptr<QTcpSocket> m_socket;
};

// A listening socket on 127.0.0.1 (or the address given) that accepts only
// when asked; its port is 0 if it cannot listen there.
class RawListener final
{
public:
    explicit RawListener(const QHostAddress &address = QHostAddress::LocalHost) { m_server.listen(address); }
    quint16 port() const { return m_server.serverPort(); }
    std::unique_ptr<RawConnection> accept(bool autoRead = true);
    bool connectionWaiting() const { return m_server.hasPendingConnections(); }

private:
    QTcpServer m_server;
};

// A byte pattern that shows loss or reordering.
QByteArray patternBytes(qsizetype size);

} // namespace vesk::test
