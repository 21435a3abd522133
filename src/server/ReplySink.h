#pragma once

#include <QByteArray>

namespace vesk {

// Where a local dialogue's output goes, and where its input waits: the child
// connection, or a recorder in tests.
class ReplySink
{
public:
    virtual ~ReplySink() = default;
    // Queues bytes; they go out from the event loop, never inside the call.
    virtual void send(const QByteArray &bytes) = 0;
    // Closes once everything queued has gone out.
    virtual void closeAfterSend() = 0;
    // Closes at once; whatever is queued is dropped.
    virtual void close() = 0;

    // The bytes that arrived and were not taken yet; a sink that hands its
    // input over by itself (LocalDialogue::received) has none.
    virtual QByteArray receive() { return {}; }
    // Bytes queued and not sent yet.
    virtual qsizetype queuedBytes() const { return 0; }
};

} // namespace vesk
