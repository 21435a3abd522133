#pragma once

#include "support/Printers.h"
#include "support/WaitFor.h"

#include <QByteArray>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace vesk::test {

// The far end of a connection on a plain socket, for seeing what the socket
// classes put on the wire. Reads by itself from the event loop unless told
// not to (a peer that never reads).
class RawConnection
{
public:
    explicit RawConnection(int handle, bool autoRead = true);
    ~RawConnection();
    static std::unique_ptr<RawConnection> connectTo(quint16 port, bool ipv6 = false);

    int handle() const { return m_handle; }
    void setAutoRead(bool on) { m_notifier->setEnabled(on); }
    bool write(const QByteArray &bytes); // all of it, serving the loop while the socket is full
    void shutdownWrite();
    void resetClose(); // closes with a reset
    bool waitForBytes(qsizetype count, int ms = 5000);
    bool waitForEof(int ms = 5000);

    QByteArray data;
    bool eof = false;
    int error = 0; // errno of a failed read

private:
    void readAvailable();
    int m_handle;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

// A plain listening socket on 127.0.0.1.
class RawListener
{
public:
    RawListener();
    ~RawListener();
    quint16 port() const { return m_port; }
    std::unique_ptr<RawConnection> accept(bool autoRead = true);
    bool connectionWaiting() const;

private:
    int m_handle;
    quint16 m_port = 0;
};

// A byte pattern that shows loss or reordering.
QByteArray patternBytes(qsizetype size);

} // namespace vesk::test
