#pragma once

#include <QByteArray>

namespace vesk {

// MD5 message digest (RFC 1321) as APOP and the download journal use it.
class TMD5 final
{
public:
    // 32 hexadecimal digits in upper case.
    static QByteArray hexDigest(const QByteArray &data);
    // The APOP digest: lower-case hex MD5 of greeting stamp + password.
    static QByteArray apopDigest(const QByteArray &stamp, const QByteArray &password);
    // The CRAM-MD5 digest (RFC 2195): lower-case hex HMAC-MD5 of the
    // server's challenge keyed with the password.
    static QByteArray cramDigest(const QByteArray &challenge, const QByteArray &password);
};

} // namespace vesk
