#pragma once

#include <QString>

// Why an encrypted connection failed, as error codes beside the socket
// table's (same form of text: the symbolic name, a space, the Japanese
// description), so that they reach OnError and the monitor as socket
// errors do.
namespace vesk::tls {

inline constexpr int TLS_HANDSHAKE = 12001;
inline constexpr int TLS_VERSION = 12002;
inline constexpr int TLS_CERT_EXPIRED = 12003;
inline constexpr int TLS_CERT_NOT_YET_VALID = 12004;
inline constexpr int TLS_CERT_HOSTNAME = 12005;
inline constexpr int TLS_CERT_UNTRUSTED = 12006;
inline constexpr int TLS_CERT_INVALID = 12007;
inline constexpr int TLS_SETUP = 12008;

// The text of a code above; empty for any other code.
QString errorText(int code);

} // namespace vesk::tls
