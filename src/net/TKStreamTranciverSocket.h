#pragma once

#include "net/ByteChannel.h"
#include "net/SendQueue.h"
#include "net/TKStreamSock.h"

#include <QByteArray>

#include <memory>

namespace vesk {

// A connected stream socket with a send queue and a receive buffer.
//
// Sending never blocks and never starts inside send(): the bytes are queued
// and written from the event loop; OnSendEmpty fires when the queue has
// drained. Reading drains the socket and fires OnRcvReady whenever bytes
// arrived. The peer's close fires OnDisconnect.
// A connection that breaks (reset, failed send) reports its error through
// OnError and then fires OnDisconnect as well.
class TKStreamTranciverSocket : public TKStreamSock
{
    Q_OBJECT
public:
    // Unreceived bytes held before reading pauses until receive() takes some.
    static constexpr qsizetype MaxReceiveBuffer = 4 * 1024 * 1024;
    static constexpr int ReadChunk = 65536;
    // How long close() waits for a close-pending queue to drain.
    static constexpr int DefaultCloseTimeoutMs = 30000;

    explicit TKStreamTranciverSocket(QObject *owner = nullptr, NetServices services = {});
    ~TKStreamTranciverSocket() override;

    // Queues a copy of the bytes; nothing for a null buffer or length < 1.
    void send(const char *buffer, qsizetype length);
    void send(const QByteArray &bytes);
    // The bytes as they are; callers add CR LF themselves.
    void sendString(const QByteArray &text) { send(text); }
    // Everything buffered.
    QByteArray receive();

    // Closes gracefully once the queue has drained (at once if it is empty).
    virtual void closeAfterSend();
    // Drops the queue; the next close resets the connection (linger 0).
    virtual void abortOnClose();
    // Closes now; unsent data is discarded unless closeAfterSend() was
    // called, in which case it waits (serving the event loop) for the queue
    // to drain, at most closeTimeoutMs(), and reports WSAETIMEDOUT if it
    // had to give up.
    void close() override;

    // Unreceived bytes held before reading pauses (MaxReceiveBuffer unless
    // set): a peer whose input is not taken then waits in TCP flow control.
    qsizetype receiveLimit() const { return m_receiveLimit; }
    void setReceiveLimit(qsizetype bytes) { m_receiveLimit = qMax<qsizetype>(1, bytes); }

    bool closePending() const { return m_closePending; }
    // Bytes not yet on the wire: the queue and what the channel holds.
    qsizetype queuedBytes() const;
    qsizetype bufferedBytes() const { return m_recvBuffer.size(); }
    int closeTimeoutMs() const { return m_closeTimeoutMs; }
    void setCloseTimeoutMs(int ms) { m_closeTimeoutMs = ms; }

    // Puts `wrap`'s channel over the connection's from now on (encryption
    // starting): bytes already received stay as they were read, everything
    // later passes through the new channel, which may start sending at once.
    void wrapChannel(const ChannelWrapper &wrap);

    const TKNotifyEvent &onSendEmpty() const { return m_onSendEmpty; }
    void setOnSendEmpty(TKNotifyEvent handler) { m_onSendEmpty = std::move(handler); }
    const TKNotifyEvent &onRcvReady() const { return m_onRcvReady; }
    void setOnRcvReady(TKNotifyEvent handler) { m_onRcvReady = std::move(handler); }
    const TKNotifyEvent &onDisconnect() const { return m_onDisconnect; }
    void setOnDisconnect(TKNotifyEvent handler) { m_onDisconnect = std::move(handler); }

protected:
    void wndProc(const SocketMessage &message) override;
    virtual void doWrite(const SocketMessage &message);
    virtual void doRead(const SocketMessage &message);
    virtual void doClose(const SocketMessage &message);
    void socketReadable() override;
    void socketWritable() override;
    void socketAdopted() override;

    // Starts watching for incoming bytes (the connection stands).
    void startReading();
    // Queues an FD_WRITE unless one is on its way or the socket waits for room.
    void postWrite();
    // Stops all traffic of a broken connection and reports it as a close
    // carrying `code`.
    void connectionLost(int code);

private:
    struct ReadOutcome
    {
        bool eof = false;
        int error = 0;
    };
    ReadOutcome readAvailable();
    void resumeReading();
    void setLinger(bool on);
    // Sends what the channel holds; false when the connection must wait
    // (for room, or because it broke).
    bool flushChannel();
    void waitWritable();
    bool unsent() const;
    void waitForQueueToDrain();
    void flushWithoutWaiting();

    std::unique_ptr<ByteChannel> m_channel;
    SendQueue m_queue;
    QByteArray m_recvBuffer;
    qsizetype m_receiveLimit = MaxReceiveBuffer;
    int m_closeTimeoutMs = DefaultCloseTimeoutMs;
    bool m_closePending = false;
    bool m_inCloseWait = false;
    bool m_writePosted = false;
    bool m_waitingWritable = false;
    bool m_readArmed = false;
    bool m_readPaused = false;
    // A write waits for the peer's next bytes (a handshake under way).
    bool m_writeAfterRead = false;
    bool m_peerClosed = false;
    bool m_lost = false;
    TKNotifyEvent m_onSendEmpty;
    TKNotifyEvent m_onRcvReady;
    TKNotifyEvent m_onDisconnect;
};

} // namespace vesk
