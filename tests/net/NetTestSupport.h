#pragma once

#include <QByteArray>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace vesk::test {

// Serves the event loop until `done` holds or `ms` have passed.
bool waitFor(const std::function<bool()> &done, int ms = 5000);
// Serves the event loop for `ms`.
void pumpFor(int ms);

// The far end of a connection, on a plain socket, for checking what the
// socket classes put on the wire. Reads by itself from the event loop
// unless told not to (a peer that never reads).
class RawConnection
{
public:
    explicit RawConnection(int handle, bool autoRead = true);
    ~RawConnection();
    RawConnection(const RawConnection &) = delete;
    RawConnection &operator=(const RawConnection &) = delete;

    static std::unique_ptr<RawConnection> connectTo(quint16 port, bool ipv6 = false, bool autoRead = true);

    int handle() const { return m_handle; }
    void setAutoRead(bool on);
    // Sends everything (waiting for room while serving the event loop).
    bool write(const QByteArray &bytes);
    void shutdownWrite();
    // Closes with a reset.
    void resetClose();
    void readAvailable();
    bool waitForBytes(qsizetype count, int ms = 5000);
    bool waitForEof(int ms = 5000);

    QByteArray data;
    bool eof = false;
    // errno of a failed read.
    int error = 0;

private:
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
    // Waits for the next connection.
    std::unique_ptr<RawConnection> accept(int ms = 5000, bool autoRead = true);
    // Connections waiting to be accepted right now.
    int pendingNow();

private:
    int m_handle;
    quint16 m_port = 0;
};

// A loopback port that nothing listens on.
quint16 unusedPort();

// A byte pattern that shows loss or reordering.
QByteArray patternBytes(qsizetype size);

} // namespace vesk::test
