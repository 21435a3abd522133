#include "server/LoginPenalty.h"

#include <algorithm>

namespace vesk {

qint64 LoginPenalty::judged(bool passed, const QDateTime &now)
{
    if (m_failures > 0 && m_lastFailure.msecsTo(now) > QuietMs)
        m_failures = 0;
    if (!passed) {
        ++m_failures;
        m_lastFailure = now;
    }
    if (m_failures == 0)
        return 0;
    const int doublings = std::min(m_failures - 1, 4);
    return std::min(FirstDelayMs << doublings, MaxDelayMs);
}

} // namespace vesk
