#include "server/ServerIdentity.h"

#include "VeskVersion.h"

#include "mail/MailText.h"
#include "server/ServerTexts.h"

#include <QDateTime>
#include <QHostInfo>

namespace vesk {

ServerIdentity ServerIdentity::make(const QString &machineHostName, int utcOffsetSeconds)
{
    ServerIdentity identity;
    identity.hostName = GreetingHostName(machineHostName).toUtf8();
    identity.version = QByteArrayLiteral(VESK_PRODUCT_VERSION);
    identity.zoneText = ZoneText(utcOffsetSeconds);
    return identity;
}

ServerIdentity ServerIdentity::local()
{
    return make(QHostInfo::localHostName(), QDateTime::currentDateTime().offsetFromUtc());
}

} // namespace vesk
