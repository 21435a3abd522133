#pragma once

#include "net/TKAsyncFinder.h"

#include <QHostAddress>
#include <QList>

namespace vesk {

// Finds the addresses of a host, IPv6 and IPv4, in the order the resolver
// prefers them. A literal address answers at once, inside find(); a name is
// looked up in the background and answers later.
class TKIpFinder : public TKAsyncFinder
{
    Q_OBJECT
public:
    explicit TKIpFinder(QObject *owner = nullptr, HostResolver *resolver = nullptr);

    void find(const QString &host);
    // The first address; 255.255.255.255 until a lookup has succeeded.
    QHostAddress address() const { return m_addresses.value(0, noAddress()); }
    // Every address found, each once, in order.
    const QList<QHostAddress> &addresses() const { return m_addresses; }
    static QHostAddress noAddress();

    // Fires with the first address; addresses() holds them all.
    const TKIpFindEvent &onFind() const { return m_onFind; }
    void setOnFind(TKIpFindEvent handler) { m_onFind = std::move(handler); }

protected:
    void doFound(const HostResolver::Answer &answer) override;

private:
    void found(const QList<QHostAddress> &addresses);

    QList<QHostAddress> m_addresses;
    TKIpFindEvent m_onFind;
};

} // namespace vesk
