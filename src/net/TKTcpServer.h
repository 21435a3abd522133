#pragma once

#include "net/TKStreamSock.h"
#include "net/TKTcpChildSock.h"

#include <QList>

#include <functional>
#include <memory>

namespace vesk {

class Timer;

// A listening socket on the loopback addresses (127.0.0.1, and ::1 where the
// host has IPv6) that accepts connections as TKTcpChildSock children and
// forwards their events, with the child as Target, to its own handlers, so
// that one set of handlers serves every connection.
//
// Children are destroyed from the event loop after they close, never inside
// their own handlers; closing the server destroys all of them at once, each
// firing OnChildDestroy.
class TKTcpServer : public TKStreamSock
{
    Q_OBJECT
public:
    // Connections the kernel holds until accepted: a burst of mailers (or a
    // client that opens many at once) must not wait for SYN retries.
    static constexpr int Backlog = 128;

    explicit TKTcpServer(QObject *owner = nullptr, NetServices services = {});
    ~TKTcpServer() override;

    bool active() const { return m_active; }
    void setActive(bool active);
    // Starts listening on port(); failures go to OnError and leave active()
    // true (close() resets it).
    void open();
    // Destroys every child, clears active, stops listening.
    void close() override;

    quint16 port() const { return m_port; }
    void setPort(quint16 port) { m_port = port; }
    // The port actually listened on (differs from port() only for port 0); 0 if not listening.
    quint16 listeningPort() const { return m_listeningPort; }
    // True when the ::1 listener is open as well.
    bool listensOnIPv6() const { return m_handle6 != InvalidSocket; }

    // Connections served at once at most; further ones are accepted and
    // closed at once, as a refused connection looks to a client.
    int maxChildren() const { return m_maxChildren; }
    void setMaxChildren(int count) { m_maxChildren = count; }
    // While refusing, the port stays bound (no other program can take it)
    // but every new connection is closed at once.
    bool refusing() const { return m_refusing; }
    void setRefusing(bool refusing) { m_refusing = refusing; }
    // Asked with each accepted socket before anything is sent on it; a
    // connection it refuses is closed at once.
    using Admission = std::function<bool(int handle)>;
    void setAdmission(Admission admission) { m_admission = std::move(admission); }
    // Destroys every child; the server goes on listening.
    void closeChildren();
    // Unreceived bytes each child holds before it stops reading.
    void setChildReceiveLimit(qsizetype bytes) { m_childReceiveLimit = bytes; }

    int childCount() const { return int(m_children.size()); }
    TKTcpChildSock *child(int index) const { return m_children.at(index); }
    const QList<TKTcpChildSock *> &childSockets() const { return m_children; }

    const TKServerNotifyEvent &onConnect() const { return m_onConnect; }
    void setOnConnect(TKServerNotifyEvent handler) { m_onConnect = std::move(handler); }
    const TKServerNotifyEvent &onRcvReady() const { return m_onRcvReady; }
    // Also points every existing child's OnRcvReady back at the server.
    void setOnRcvReady(TKServerNotifyEvent handler);
    const TKServerNotifyEvent &onSendEmpty() const { return m_onSendEmpty; }
    void setOnSendEmpty(TKServerNotifyEvent handler) { m_onSendEmpty = std::move(handler); }
    const TKServerNotifyEvent &onDisconnect() const { return m_onDisconnect; }
    void setOnDisconnect(TKServerNotifyEvent handler) { m_onDisconnect = std::move(handler); }
    const TKServerNotifyEvent &onChildDestroy() const { return m_onChildDestroy; }
    void setOnChildDestroy(TKServerNotifyEvent handler) { m_onChildDestroy = std::move(handler); }
    const TKChildErrorEvent &onChildError() const { return m_onChildError; }
    void setOnChildError(TKChildErrorEvent handler) { m_onChildError = std::move(handler); }

protected:
    void wndProc(const SocketMessage &message) override;
    void socketReadable() override;

private:
    friend class TKTcpChildSock;

    bool listenIPv4();
    void listenIPv6();
    void closeIPv6();
    void accept(int listener);
    void acceptFailed(int code);
    // Closes a connection that is not served, before any byte is sent.
    static void turnAway(int handle);
    void bindChild(TKTcpChildSock *child);
    void bindRcvReady(TKTcpChildSock *child);
    void forward(const TKServerNotifyEvent &event, QObject *child);
    // A child has closed: destroy it (from the event loop).
    void childClosed(TKTcpChildSock *child);
    void destroyChild(TKTcpChildSock *child);

    bool m_active = false;
    bool m_refusing = false;
    int m_maxChildren = 1 << 30;
    qsizetype m_childReceiveLimit = 0;
    quint16 m_port = 0;
    quint16 m_listeningPort = 0;
    int m_handle6 = InvalidSocket;
    SocketWatcher m_watcher6;
    std::unique_ptr<Timer> m_acceptRetry;
    QList<TKTcpChildSock *> m_children;
    TKServerNotifyEvent m_onConnect;
    TKServerNotifyEvent m_onRcvReady;
    TKServerNotifyEvent m_onSendEmpty;
    TKServerNotifyEvent m_onDisconnect;
    TKServerNotifyEvent m_onChildDestroy;
    TKChildErrorEvent m_onChildError;
    Admission m_admission;
};

} // namespace vesk
