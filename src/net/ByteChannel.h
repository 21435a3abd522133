#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace vesk {

// The raw byte transfer of one connected socket: the only place where bytes
// cross the wire, so that an encrypting channel can replace the plain one
// without touching the protocol code above it.
class ByteChannel
{
public:
    struct Result
    {
        qint64 bytes = 0;
        // A table code (WinSockCodes.h); WSAEWOULDBLOCK when nothing can move now.
        int error = 0;
        // The peer finished sending (reads only).
        bool eof = false;
        // Nothing can move until the peer has sent something (a handshake
        // waits for its answer); comes with WSAEWOULDBLOCK.
        bool needsInput = false;
    };

    virtual ~ByteChannel() = default;
    virtual Result read(char *buffer, qint64 size) = 0;
    virtual Result write(const char *data, qint64 size) = 0;

    // Sends what the channel holds of its own (handshake messages, records
    // the socket had no room for): WSAEWOULDBLOCK while some remain.
    virtual Result flush() { return {}; }
    // Bytes the channel holds for sending.
    virtual qsizetype pendingOutput() const { return 0; }
    // read() has bytes to give without the socket becoming readable again.
    virtual bool hasBufferedInput() const { return false; }
};

// Puts a channel over the one a socket uses (encryption starting on an open
// connection).
using ChannelWrapper = std::function<std::unique_ptr<ByteChannel>(std::unique_ptr<ByteChannel> inner)>;

} // namespace vesk
