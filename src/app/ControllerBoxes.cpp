#include "app/Controller.h"

namespace vesk {

void Controller::setSendHeld(bool held)
{
    if (m_settings.ManuSend == held)
        return;
    m_settings.ManuSend = held;
    // The local servers and the session take their switches from here.
    emit settingsChanged(m_settings);
}

} // namespace vesk
