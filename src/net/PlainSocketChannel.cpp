#include "net/PlainSocketChannel.h"

#include "net/SocketErrors.h"

#include <cerrno>
#include <sys/socket.h>

namespace vesk {

ByteChannel::Result PlainSocketChannel::read(char *buffer, qint64 size)
{
    Result result;
    ssize_t got;
    do {
        got = ::recv(m_handle, buffer, size_t(size), 0);
    } while (got < 0 && errno == EINTR);
    if (got > 0)
        result.bytes = got;
    else if (got == 0)
        result.eof = true;
    else
        result.error = lastSocketError();
    return result;
}

ByteChannel::Result PlainSocketChannel::write(const char *data, qint64 size)
{
    Result result;
    ssize_t sent;
    do {
        sent = ::send(m_handle, data, size_t(size), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent >= 0)
        result.bytes = sent;
    else
        result.error = lastSocketError();
    return result;
}

} // namespace vesk
