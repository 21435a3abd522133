#pragma once

#include "net/ByteChannel.h"

namespace vesk {

// Unencrypted transfer on a non-blocking socket. Never raises SIGPIPE.
class PlainSocketChannel final : public ByteChannel
{
public:
    explicit PlainSocketChannel(int handle)
        : m_handle(handle)
    { }
    Result read(char *buffer, qint64 size) override;
    Result write(const char *data, qint64 size) override;

private:
    int m_handle;
};

} // namespace vesk
