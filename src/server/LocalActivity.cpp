#include "server/LocalActivity.h"

#include "mail/SessionState.h"

namespace vesk {

void LocalActivity::holdMarker()
{
    ++m_markerHolders;
    m_state.marker = QStringLiteral(".");
}

void LocalActivity::releaseMarker(const char *result)
{
    if (m_markerHolders > 0)
        --m_markerHolders;
    if (m_markerHolders == 0 && m_state.running())
        m_state.marker = QString::fromLatin1(result);
}

void LocalActivity::dropMarker()
{
    if (m_markerHolders > 0)
        --m_markerHolders;
}

bool LocalActivity::providerRunning() const
{
    return m_state.running() && m_markerHolders == 0;
}

void LocalActivity::pop3Began()
{
    ++m_pop3;
    m_state.pop3Active = true;
}

void LocalActivity::pop3Ended()
{
    if (m_pop3 > 0)
        --m_pop3;
    m_state.pop3Active = m_pop3 > 0;
}

} // namespace vesk
