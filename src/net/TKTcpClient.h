#pragma once

#include "net/TKIpFinder.h"
#include "net/TKStreamTranciverSocket.h"

#include <QHostAddress>
#include <QList>
#include <QString>

#include <memory>

namespace vesk {

class Timer;

// The client connection to a server, re-targeted by setting serverName and
// port and then switching active on.
//
// States: idle (not active), waiting for the address (active, lookup
// running), connecting, connected; back to idle by close() or
// setActive(false). After the peer's close (OnDisconnect) the socket stays
// until the owner closes it.
//
// A name with several addresses (IPv6 and IPv4) is tried address by address
// in the resolver's order; only when the last one fails is the error
// reported. An address that neither accepts nor refuses within
// AttemptTimeoutMs is given up while others remain.
class TKTcpClient : public TKStreamTranciverSocket
{
    Q_OBJECT
public:
    static constexpr int AttemptTimeoutMs = 10000;

    explicit TKTcpClient(QObject *owner = nullptr, NetServices services = {});
    ~TKTcpClient() override;

    bool active() const { return m_active; }
    // On: connects now, or when the running lookup answers. Off: close().
    void setActive(bool active);
    void activate() { setActive(true); }

    QString serverName() const { return m_serverName; }
    // A different name (host name or dotted address) starts its lookup at
    // once; the same name again does nothing and keeps the address found.
    void setServerName(const QString &name);

    quint16 port() const { return m_port; }
    // A different port on an active client closes and reconnects.
    void setPort(quint16 port);

    // The address tried or connected; 255.255.255.255 until one is known.
    QHostAddress serverAddress() const { return m_serverAddress; }
    bool connected() const { return m_connected; }
    TKIpFinder *finder() const { return m_finder; }

    const TKNotifyEvent &onConnect() const { return m_onConnect; }
    void setOnConnect(TKNotifyEvent handler) { m_onConnect = std::move(handler); }

    // Clears active, closes the socket (unsent data is dropped).
    void close() override;

protected:
    void wndProc(const SocketMessage &message) override;
    virtual void doConnect(const SocketMessage &message);
    void doWrite(const SocketMessage &message) override;
    void doClose(const SocketMessage &message) override;
    void socketWritable() override;

private:
    // From the first address on.
    void connectNow();
    void tryAddress();
    // Moves on to the next address; false when none is left.
    bool tryNextAddress();
    void attemptFailed(int code);
    void attemptTimedOut();
    void addressFound();
    void lookupFailed(const TKError &error);

    TKIpFinder *m_finder;
    std::unique_ptr<Timer> m_attemptTimer;
    QString m_serverName;
    quint16 m_port = 0;
    QList<QHostAddress> m_addresses;
    qsizetype m_attempt = 0;
    QHostAddress m_serverAddress;
    bool m_active = false;
    bool m_connecting = false;
    bool m_connected = false;
    TKNotifyEvent m_onConnect;
};

} // namespace vesk
