#pragma once

#include "net/HostResolver.h"
#include "net/NetEvents.h"

#include <QObject>

namespace vesk {

// Base of the asynchronous lookups: at most one request outstanding, its
// failure reported through OnError with a table code.
class TKAsyncFinder : public QObject
{
    Q_OBJECT
public:
    explicit TKAsyncFinder(QObject *owner = nullptr, HostResolver *resolver = nullptr);
    ~TKAsyncFinder() override;

    bool busy() const { return m_busy; }

    const TKErrorEvent &onError() const { return m_onError; }
    void setOnError(TKErrorEvent handler) { m_onError = std::move(handler); }

    // Forgets the outstanding request; its answer is never reported.
    virtual void cancel();

protected:
    virtual void doError(int code);
    virtual void doFound(const HostResolver::Answer &answer) = 0;
    // Starts a lookup of `name`; the answer goes to doFound or doError.
    void startLookup(const QString &name);
    void setBusy(bool busy) { m_busy = busy; }

private:
    void answered(int request, const HostResolver::Answer &answer);

    HostResolver &m_resolver;
    bool m_busy = false;
    int m_request = -1;
    // Requests are told apart by our own serial: the resolver's ids may repeat.
    quint64 m_serial = 0;
    TKErrorEvent m_onError;
};

} // namespace vesk
