#pragma once

#include "net/TKStreamTranciverSocket.h"

namespace vesk {

class TKTcpServer;

// One accepted connection of a TKTcpServer, owned by it. Closing it (or the
// peer closing) makes the server destroy it from the event loop, never inside
// one of its own handlers; OnDestroy fires as its destruction begins.
class TKTcpChildSock : public TKStreamTranciverSocket
{
    Q_OBJECT
public:
    ~TKTcpChildSock() override;

    // The server it belongs to; null once the server has let it go.
    TKTcpServer *server() const { return m_server; }

    const TKNotifyEvent &onDestroy() const { return m_onDestroy; }
    void setOnDestroy(TKNotifyEvent handler) { m_onDestroy = std::move(handler); }

    // Closes the connection; the server destroys the child afterwards.
    void close() override;

protected:
    void doClose(const SocketMessage &message) override;
    void dispatchFinished() override;

private:
    friend class TKTcpServer;
    TKTcpChildSock(TKTcpServer *server, int handle, NetServices services);

    // Arms the events of the accepted connection.
    void start();
    // The start of destruction: closes silently, fires OnDestroy once, and
    // deletes the object as soon as none of its handlers runs any more.
    void destroy();
    void fireDestroy();
    // Tells the server (from the event loop) that the child has closed.
    void postClosed();

    TKTcpServer *m_server;
    bool m_destroying = false;
    // Closed while one of its handlers ran: destroyed once they have returned.
    bool m_destroyWhenIdle = false;
    TKNotifyEvent m_onDestroy;
};

} // namespace vesk
