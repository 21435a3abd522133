#include "net/TKStreamTranciverSocket.h"

#include "net/SocketErrors.h"
#include "net/WinSockCodes.h"
#include "platform/EventPump.h"

#include <sys/socket.h>

namespace vesk {
namespace {

// Bytes read per readiness report; the level-triggered notifier reports
// again for the rest, so one busy peer cannot starve the others.
constexpr qsizetype kMaxReadPerRound = 1024 * 1024;
constexpr int kClosePollMs = 55;

} // namespace

TKStreamTranciverSocket::TKStreamTranciverSocket(QObject *owner, NetServices services)
    : TKStreamSock(owner, std::move(services))
{ }

TKStreamTranciverSocket::~TKStreamTranciverSocket()
{
    setSilent(true);
    if (m_closePending && handle() != InvalidSocket && !m_queue.isEmpty())
        flushWithoutWaiting();
    m_closePending = false;
    closeHandle();
}

void TKStreamTranciverSocket::send(const char *buffer, qsizetype length)
{
    if (!buffer || length < 1)
        return;
    send(QByteArray(buffer, length));
}

void TKStreamTranciverSocket::send(const QByteArray &bytes)
{
    // A broken connection takes nothing more; its close is already on its way.
    if (bytes.isEmpty() || m_lost)
        return;
    m_queue.append(bytes);
    postWrite();
}

QByteArray TKStreamTranciverSocket::receive()
{
    QByteArray text = std::exchange(m_recvBuffer, QByteArray());
    resumeReading();
    return text;
}

qsizetype TKStreamTranciverSocket::queuedBytes() const
{
    return m_queue.bytes() + (m_channel ? m_channel->pendingOutput() : 0);
}

bool TKStreamTranciverSocket::unsent() const
{
    return !m_queue.isEmpty() || (m_channel && m_channel->pendingOutput() > 0);
}

void TKStreamTranciverSocket::wrapChannel(const ChannelWrapper &wrap)
{
    if (handle() == InvalidSocket || !m_channel || m_lost)
        return;
    m_channel = wrap(std::move(m_channel));
    // A handshake begins with the client's message.
    postWrite();
}

void TKStreamTranciverSocket::closeAfterSend()
{
    if (handle() == InvalidSocket)
        return;
    m_closePending = true;
    setLinger(false);
    if (!unsent())
        close();
}

void TKStreamTranciverSocket::abortOnClose()
{
    m_closePending = false;
    if (handle() != InvalidSocket)
        setLinger(true);
    m_queue.clear();
}

void TKStreamTranciverSocket::close()
{
    if (handle() == InvalidSocket)
        return;
    if (m_closePending && unsent() && !m_inCloseWait && !silent())
        waitForQueueToDrain();
    closeHandle();
    m_queue.clear();
}

void TKStreamTranciverSocket::waitForQueueToDrain()
{
    DispatchGuard guard(this);
    m_inCloseWait = true;
    const quint64 started = generation();
    const auto finished = [&] { return generation() != started || !m_closePending || !unsent(); };
    const int rounds = qMax(1, (m_closeTimeoutMs + kClosePollMs - 1) / kClosePollMs);
    const bool drained = services().eventPump().waitUntil(
        [&] {
            if (finished())
                return true;
            doWrite(makeMessage(FD_WRITE));
            return finished();
        },
        rounds, kClosePollMs);
    m_inCloseWait = false;
    if (drained)
        return;
    // A peer that never reads must not hold the program: give the data up.
    m_closePending = false;
    m_queue.clear();
    closeHandle();
    doError(wsa::WSAETIMEDOUT);
}

void TKStreamTranciverSocket::flushWithoutWaiting()
{
    while (!m_queue.isEmpty()) {
        const ByteChannel::Result result = m_channel->write(m_queue.frontData(), m_queue.frontRemaining());
        if (result.error || result.bytes <= 0)
            return;
        m_queue.consume(result.bytes);
    }
    m_channel->flush();
}

void TKStreamTranciverSocket::setLinger(bool on)
{
    const linger option { on ? 1 : 0, 0 };
    if (::setsockopt(handle(), SOL_SOCKET, SO_LINGER, &option, sizeof option) != 0)
        doError(lastSocketError());
}

void TKStreamTranciverSocket::wndProc(const SocketMessage &message)
{
    if (message.event == FD_WRITE)
        m_writePosted = false;
    if (handle() == InvalidSocket)
        return;
    switch (message.event) {
    case FD_READ:
        doRead(message);
        break;
    case FD_WRITE:
        doWrite(message);
        break;
    case FD_CLOSE:
        doClose(message);
        break;
    default:
        break;
    }
}

void TKStreamTranciverSocket::doWrite(const SocketMessage &message)
{
    if (message.error) {
        doError(message.error);
        return;
    }
    if (m_lost)
        return;
    // The channel's own bytes go first: they come before anything queued.
    if (!flushChannel())
        return;
    while (!m_queue.isEmpty()) {
        const ByteChannel::Result result = m_channel->write(m_queue.frontData(), m_queue.frontRemaining());
        if (result.needsInput) {
            // Writable or not, nothing moves before the peer answers.
            m_writeAfterRead = true;
            return;
        }
        if (result.error == wsa::WSAEWOULDBLOCK || (!result.error && result.bytes <= 0)) {
            waitWritable();
            return;
        }
        if (result.error) {
            connectionLost(result.error);
            return;
        }
        m_queue.consume(result.bytes);
    }
    if (!flushChannel())
        return;
    m_waitingWritable = false;
    watcher().setWriteEnabled(false);
    if (m_closePending)
        close();
    else
        fire(m_onSendEmpty);
}

bool TKStreamTranciverSocket::flushChannel()
{
    const ByteChannel::Result result = m_channel->flush();
    if (result.error == wsa::WSAEWOULDBLOCK && !result.needsInput) {
        waitWritable();
        return false;
    }
    if (result.error && result.error != wsa::WSAEWOULDBLOCK) {
        connectionLost(result.error);
        return false;
    }
    return true;
}

void TKStreamTranciverSocket::waitWritable()
{
    m_waitingWritable = true;
    watcher().setWriteEnabled(true);
}

void TKStreamTranciverSocket::doRead(const SocketMessage &message)
{
    if (message.error) {
        doError(message.error);
        return;
    }
    ReadOutcome outcome;
    if (!m_peerClosed) {
        outcome = readAvailable();
        if (outcome.eof || outcome.error) {
            // Nothing more will come; a level-triggered notifier would spin.
            m_peerClosed = true;
            watcher().setReadEnabled(false);
        }
    }
    const quint64 current = generation();
    if (!m_recvBuffer.isEmpty())
        fire(m_onRcvReady);
    if (generation() != current)
        return;
    if (!outcome.error && !m_lost) {
        // Reading may have moved a handshake on: its answer waits to go out,
        // and so may the writes that were waiting for it.
        if (m_channel->pendingOutput() > 0)
            waitWritable();
        if (std::exchange(m_writeAfterRead, false))
            postWrite();
    }
    if (outcome.error)
        connectionLost(outcome.error);
    else if (outcome.eof)
        postMessage(FD_CLOSE);
}

TKStreamTranciverSocket::ReadOutcome TKStreamTranciverSocket::readAvailable()
{
    ReadOutcome outcome;
    qsizetype readThisRound = 0;
    while (readThisRound < kMaxReadPerRound) {
        if (m_recvBuffer.size() >= m_receiveLimit) {
            // Unreceived data piles up: let the peer wait instead of the memory grow.
            m_readPaused = true;
            watcher().setReadEnabled(false);
            break;
        }
        const qsizetype before = m_recvBuffer.size();
        const qsizetype chunk = qMin<qsizetype>(ReadChunk, m_receiveLimit - before);
        if (m_recvBuffer.capacity() < before + chunk)
            m_recvBuffer.reserve(qMax<qsizetype>(2 * m_recvBuffer.capacity(), before + chunk));
        m_recvBuffer.resize(before + chunk);
        const ByteChannel::Result result = m_channel->read(m_recvBuffer.data() + before, chunk);
        m_recvBuffer.resize(before + qMax<qint64>(result.bytes, 0));
        if (result.bytes > 0) {
            readThisRound += result.bytes;
            continue;
        }
        if (result.eof)
            outcome.eof = true;
        else if (result.error != wsa::WSAEWOULDBLOCK)
            outcome.error = result.error;
        break;
    }
    // Bytes the channel decoded already will not make the socket readable.
    if (!m_readPaused && readThisRound >= kMaxReadPerRound && m_channel->hasBufferedInput())
        postMessage(FD_READ);
    return outcome;
}

void TKStreamTranciverSocket::resumeReading()
{
    if (!m_readPaused || m_recvBuffer.size() >= m_receiveLimit)
        return;
    m_readPaused = false;
    if (m_readArmed && !m_peerClosed) {
        watcher().setReadEnabled(true);
        if (m_channel && m_channel->hasBufferedInput())
            postMessage(FD_READ);
    }
}

void TKStreamTranciverSocket::doClose(const SocketMessage &message)
{
    if (message.error) {
        const quint64 current = generation();
        doError(message.error);
        if (generation() != current)
            return;
    }
    fire(m_onDisconnect);
}

void TKStreamTranciverSocket::socketReadable()
{
    dispatch(makeMessage(FD_READ));
}

void TKStreamTranciverSocket::socketWritable()
{
    watcher().setWriteEnabled(false);
    m_waitingWritable = false;
    dispatch(makeMessage(FD_WRITE));
}

void TKStreamTranciverSocket::socketAdopted()
{
    m_channel = services().makeChannel(handle());
    m_recvBuffer.clear();
    m_closePending = false;
    m_writePosted = false;
    m_waitingWritable = false;
    m_readArmed = false;
    m_readPaused = false;
    m_writeAfterRead = false;
    m_peerClosed = false;
    m_lost = false;
}

void TKStreamTranciverSocket::startReading()
{
    m_readArmed = true;
    if (!m_readPaused && !m_peerClosed)
        watcher().setReadEnabled(true);
}

void TKStreamTranciverSocket::postWrite()
{
    if (m_writePosted || m_waitingWritable)
        return;
    m_writePosted = true;
    postMessage(FD_WRITE);
}

void TKStreamTranciverSocket::connectionLost(int code)
{
    if (m_lost)
        return;
    m_lost = true;
    m_peerClosed = true;
    m_waitingWritable = false;
    watcher().setReadEnabled(false);
    watcher().setWriteEnabled(false);
    m_queue.clear();
    postMessage(FD_CLOSE, code);
}

} // namespace vesk
