#pragma once

#include <QByteArray>

namespace vesk {

// Where a local dialogue's output goes: the child connection, or a recorder
// in tests.
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
};

} // namespace vesk
