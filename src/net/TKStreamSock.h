#pragma once

#include "net/NetEvents.h"
#include "net/NetServices.h"
#include "net/SocketMessage.h"
#include "net/SocketWatcher.h"

#include <QObject>

namespace vesk {

// Base of the socket classes: one non-blocking socket handle whose readiness
// arrives as messages on the event loop, and error reporting through OnError.
// Errors are never thrown. Handlers run on the one event-loop thread.
class TKStreamSock : public QObject
{
    Q_OBJECT
public:
    static constexpr int InvalidSocket = -1;

    explicit TKStreamSock(QObject *owner = nullptr, NetServices services = {});
    ~TKStreamSock() override;

    int handle() const { return m_handle; }
    // A number for the owner's use, to tell sockets with shared handlers apart.
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    const TKErrorEvent &onError() const { return m_onError; }
    void setOnError(TKErrorEvent handler) { m_onError = std::move(handler); }

    // Creates a stream socket of the address family (IPv4 unless set)
    // unless there is one; a failure goes to OnError. Returns the handle
    // (InvalidSocket on failure).
    virtual int allocateSocket();
    int addressFamily() const { return m_family; }
    // AF_INET or AF_INET6, for the next socket made.
    void setAddressFamily(int family) { m_family = family; }
    // Adopts another socket, closing the current one first.
    virtual void setSocket(int handle);
    // Closes the socket; messages still on their way for it are dropped.
    virtual void close();

    // True while one of this socket's handlers runs (the object is then
    // never destroyed under it, see deleteWhenIdle).
    bool isDispatching() const { return m_dispatchDepth > 0; }

protected:
    // Keeps the object alive (deletion deferred) while a handler runs.
    class DispatchGuard
    {
    public:
        explicit DispatchGuard(TKStreamSock *socket);
        ~DispatchGuard();
        DispatchGuard(const DispatchGuard &) = delete;
        DispatchGuard &operator=(const DispatchGuard &) = delete;

    private:
        TKStreamSock *m_socket;
    };

    virtual void wndProc(const SocketMessage &message);
    virtual void doError(int code);
    // Readiness reported by the watcher.
    virtual void socketReadable() { }
    virtual void socketWritable() { }
    // A new handle was adopted (a new connection starts).
    virtual void socketAdopted() { }
    // The last running handler of this socket has returned.
    virtual void dispatchFinished() { }

    // Creates and adopts a socket of the address family unless there is
    // one; a failure is left to the caller (its table code in `error`).
    int openSocket(int *error);

    SocketMessage makeMessage(int event, int error = 0) const;
    // Delivers a message to this socket from the event loop, never at once.
    void postMessage(int event, int error = 0);
    void dispatch(const SocketMessage &message);
    // Calls a notify handler (with a copy, so the handler may replace itself).
    void fire(const TKNotifyEvent &event);
    // Closes the handle without the extras of close() overrides.
    void closeHandle();

    quint64 generation() const { return m_generation; }
    SocketWatcher &watcher() { return m_watcher; }
    const NetServices &services() const { return m_services; }
    // No handler is called any more (used while being destroyed).
    void setSilent(bool silent) { m_silent = silent; }
    bool silent() const { return m_silent; }
    // Destroys the object now, or once its running handlers have returned.
    void deleteWhenIdle();

private:
    void adopt(int handle);
    void deliver(const SocketMessage &message);

    NetServices m_services;
    SocketWatcher m_watcher;
    int m_handle = InvalidSocket;
    int m_family;
    quint64 m_generation = 0;
    int m_tag = 0;
    int m_dispatchDepth = 0;
    bool m_deleteWhenIdle = false;
    bool m_deletePosted = false;
    bool m_silent = false;
    TKErrorEvent m_onError;
};

} // namespace vesk
