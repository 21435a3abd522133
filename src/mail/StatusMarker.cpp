#include "mail/StatusMarker.h"

namespace vesk {

void StatusMarker::set(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (m_observer)
        m_observer(m_text);
}

} // namespace vesk
