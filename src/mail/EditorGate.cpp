#include "mail/EditorGate.h"

#include "platform/Messenger.h"

namespace vesk {

bool EditorGate::refuse() const
{
    if (m_open)
        m_messenger.beep();
    return m_open;
}

} // namespace vesk
