#include "net/TKIpFinder.h"

#include "net/WinSockCodes.h"

#include <optional>

namespace vesk {
namespace {

// A literal IPv4 or IPv6 address (an IPv6 one may come in brackets).
std::optional<QHostAddress> literalAddress(const QString &host)
{
    QString text = host.trimmed();
    if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']')))
        text = text.mid(1, text.size() - 2);
    QHostAddress address;
    if (text.isEmpty() || !address.setAddress(text))
        return std::nullopt;
    return address;
}

} // namespace

TKIpFinder::TKIpFinder(QObject *owner, HostResolver *resolver)
    : TKAsyncFinder(owner, resolver)
{ }

QHostAddress TKIpFinder::noAddress()
{
    return QHostAddress(quint32(0xFFFFFFFFu));
}

void TKIpFinder::find(const QString &host)
{
    cancel();
    setBusy(true);
    // A new name must not leave the previous host's addresses in use.
    m_addresses.clear();
    if (const std::optional<QHostAddress> literal = literalAddress(host)) {
        setBusy(false);
        found({ *literal });
        return;
    }
    startLookup(host);
}

void TKIpFinder::doFound(const HostResolver::Answer &answer)
{
    QList<QHostAddress> usable;
    for (const QHostAddress &address : answer.addresses) {
        const auto protocol = address.protocol();
        if ((protocol == QAbstractSocket::IPv4Protocol || protocol == QAbstractSocket::IPv6Protocol)
            && !usable.contains(address))
            usable << address;
    }
    if (usable.isEmpty()) {
        doError(wsa::WSANO_DATA);
        return;
    }
    found(usable);
}

void TKIpFinder::found(const QList<QHostAddress> &addresses)
{
    m_addresses = addresses;
    if (m_onFind) {
        const TKIpFindEvent handler = m_onFind;
        handler(this, addresses.first());
    }
}

} // namespace vesk
