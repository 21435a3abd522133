#pragma once

#include <QString>

#include <optional>
#include <sys/types.h>

namespace vesk {

// Who owns the other end of a loopback connection. Any local account can
// connect to 127.0.0.1; the kernel knows which account holds the client's
// socket. Linux only: asked through the socket diagnostics of netlink, with
// /proc/net/tcp{,6} as the fallback where that is not available.
namespace PeerOwner {

// The user id behind the client end of the accepted connection `handle`;
// nullopt when it cannot be found (not a TCP loopback peer, or the kernel
// gave no answer).
std::optional<uid_t> ofConnection(int handle);

// The user id of whoever listens on TCP `port` on a loopback or wildcard
// address; nullopt when nobody does or it cannot be found.
std::optional<uid_t> ofListener(quint16 port);

// "taro (uid 1000)", or "uid 1000" without a name.
QString describe(uid_t uid);

} // namespace PeerOwner
} // namespace vesk
