#include "app/ControllerEngineHost.h"

#include "dialup/ConnectionControl.h"

namespace vesk {

MailHost &Controller::mailHost()
{
    return *m_engineHost;
}

MailView &Controller::mailView()
{
    return *m_engineHost;
}

void Controller::EngineHost::closeDialUp()
{
    // After the connection test's download.
    if (m_c.m_dialUp->inUse())
        m_c.m_dialUp->ModemClose();
}

void Controller::EngineHost::dialPanelStatus(const QString &text)
{
    m_c.m_dialUp->sessionStatus(text);
}

} // namespace vesk
