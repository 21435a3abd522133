#pragma once

#include <QtGlobal>

namespace vesk {

// Readiness event codes, numbered as in the classic asynchronous select.
enum SocketEventCode : int {
    FD_READ = 1,
    FD_WRITE = 2,
    FD_ACCEPT = 8,
    FD_CONNECT = 16,
    FD_CLOSE = 32,
};

// One readiness notification delivered to a socket on the event loop. A
// message carries the generation of the connection it was made for: one that
// arrives after the socket was closed or re-used is dropped.
struct SocketMessage
{
    int handle = -1;
    quint64 generation = 0;
    int event = 0;
    // A table code (WinSockCodes.h); 0 for none.
    int error = 0;
};

} // namespace vesk
