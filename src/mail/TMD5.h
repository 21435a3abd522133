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
};

} // namespace vesk
