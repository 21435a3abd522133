#include "app/ControllerEngineHost.h"

namespace vesk {

MailHost &Controller::mailHost()
{
    return *m_engineHost;
}

MailView &Controller::mailView()
{
    return *m_engineHost;
}

} // namespace vesk
