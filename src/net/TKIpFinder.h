#pragma once

#include "net/TKAsyncFinder.h"

#include <QHostAddress>

namespace vesk {

// Finds the IPv4 address of a host. A dotted address answers at once, inside
// find(); a name is looked up in the background and answers later.
class TKIpFinder : public TKAsyncFinder
{
    Q_OBJECT
public:
    explicit TKIpFinder(QObject *owner = nullptr, HostResolver *resolver = nullptr);

    void find(const QString &host);
    // 255.255.255.255 until a lookup has succeeded.
    QHostAddress address() const { return m_address; }
    static QHostAddress noAddress();

    const TKIpFindEvent &onFind() const { return m_onFind; }
    void setOnFind(TKIpFindEvent handler) { m_onFind = std::move(handler); }

protected:
    void doFound(const HostResolver::Answer &answer) override;

private:
    void found(const QHostAddress &address);

    QHostAddress m_address;
    TKIpFindEvent m_onFind;
};

} // namespace vesk
