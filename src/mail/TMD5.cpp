#include "mail/TMD5.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>

namespace vesk {

QByteArray TMD5::hexDigest(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex().toUpper();
}

QByteArray TMD5::apopDigest(const QByteArray &stamp, const QByteArray &password)
{
    return QCryptographicHash::hash(stamp + password, QCryptographicHash::Md5).toHex();
}

QByteArray TMD5::cramDigest(const QByteArray &challenge, const QByteArray &password)
{
    return QMessageAuthenticationCode::hash(challenge, password, QCryptographicHash::Md5).toHex();
}

} // namespace vesk
