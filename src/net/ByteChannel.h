#pragma once

#include <QtGlobal>

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
    };

    virtual ~ByteChannel() = default;
    virtual Result read(char *buffer, qint64 size) = 0;
    virtual Result write(const char *data, qint64 size) = 0;
};

} // namespace vesk
