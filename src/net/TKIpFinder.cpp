#include "net/TKIpFinder.h"

#include "net/WinSockCodes.h"

#include <arpa/inet.h>

namespace vesk {

TKIpFinder::TKIpFinder(QObject *owner, HostResolver *resolver)
    : TKAsyncFinder(owner, resolver)
    , m_address(noAddress())
{ }

QHostAddress TKIpFinder::noAddress()
{
    return QHostAddress(quint32(0xFFFFFFFFu));
}

void TKIpFinder::find(const QString &host)
{
    cancel();
    setBusy(true);
    // A new name must not leave the previous host's address in use.
    m_address = noAddress();
    in_addr dotted {};
    if (::inet_pton(AF_INET, host.toLatin1().constData(), &dotted) == 1) {
        setBusy(false);
        found(QHostAddress(ntohl(dotted.s_addr)));
        return;
    }
    startLookup(host);
}

void TKIpFinder::doFound(const HostResolver::Answer &answer)
{
    // The client makes IPv4 sockets: the first IPv4 address is the one.
    for (const QHostAddress &address : answer.addresses) {
        bool isIPv4 = false;
        const quint32 ipv4 = address.toIPv4Address(&isIPv4);
        if (isIPv4) {
            found(QHostAddress(ipv4));
            return;
        }
    }
    doError(wsa::WSANO_DATA);
}

void TKIpFinder::found(const QHostAddress &address)
{
    m_address = address;
    if (m_onFind) {
        const TKIpFindEvent handler = m_onFind;
        handler(this, address);
    }
}

} // namespace vesk
