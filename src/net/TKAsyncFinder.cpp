#include "net/TKAsyncFinder.h"

#include "net/QtHostResolver.h"
#include "net/TKWinSockError.h"
#include "net/WinSockCodes.h"

namespace vesk {

TKAsyncFinder::TKAsyncFinder(QObject *owner, HostResolver *resolver)
    : QObject(owner)
    , m_resolver(resolver ? *resolver : QtHostResolver::instance())
{ }

TKAsyncFinder::~TKAsyncFinder()
{
    cancel();
}

void TKAsyncFinder::cancel()
{
    if (!m_busy)
        return;
    m_busy = false;
    ++m_serial;
    const int request = std::exchange(m_request, -1);
    if (request >= 0)
        m_resolver.abort(request);
}

void TKAsyncFinder::doError(int code)
{
    if (!m_onError)
        return;
    const TKWinSockError error(code);
    const TKErrorEvent handler = m_onError;
    handler(this, error);
}

void TKAsyncFinder::startLookup(const QString &name)
{
    const quint64 serial = ++m_serial;
    m_busy = true;
    m_request = m_resolver.start(name, this, [this, serial](const HostResolver::Answer &answer) {
        if (serial == m_serial && m_busy)
            answered(serial, answer);
    });
    if (m_request < 0 && serial == m_serial) {
        m_busy = false;
        doError(wsa::WSANO_RECOVERY);
    }
}

void TKAsyncFinder::answered(int, const HostResolver::Answer &answer)
{
    m_busy = false;
    m_request = -1;
    if (answer.error)
        doError(answer.error);
    else
        doFound(answer);
}

} // namespace vesk
