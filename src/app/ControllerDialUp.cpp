#include "app/ControllerDialUpHost.h"
#include "dialup/AccessPointSelector.h"
#include "dialup/ConnectionControl.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "plan/PlanController.h"
#include "platform/Timer.h"

namespace vesk {

bool Controller::DialUpHost::clientActive() const
{
    return m_c.m_provider && m_c.m_provider->clientActive();
}

void Controller::DialUpHost::clientOff()
{
    if (m_c.m_provider)
        m_c.m_provider->closeClient();
}

void Controller::DialUpHost::showConnectTime(const QString &time)
{
    m_c.m_strip->display().showConnectTime(time);
    emit m_c.m_strip->displayChanged();
}

// Only the provider session takes the chosen account: the settings (and the
// mailers' logins to the local servers) stay the user's own.
void Controller::DialUpHost::takeOverAccount(const AccessPointChoice &choice)
{
    Settings account = m_c.m_settings;
    account.AP = choice.ap;
    account.Host = choice.host;
    account.SMTP = choice.smtp.isEmpty() ? choice.host : choice.smtp;
    account.UserID = choice.userId;
    account.Password = choice.password;
    account.Apop = choice.apop;
    // A login of its own for the usual provider's SMTP is not the chosen one's.
    account.SMTP_UserID.clear();
    account.SMTP_Password.clear();
    emit m_c.providerSettingsChanged(account);
}

void Controller::setDialUp(DialUpBackend *backend, PowerOff *powerOff)
{
    m_dialUp->setBackend(backend);
    m_dialUp->setPowerOff(powerOff);
    // The timed plans' actions that the connection control carries out.
    PlanActions &actions = m_planner->planActions();
    actions.connect = [this] { m_dialUp->ModemOpen(); };
    // As the OK button's "OFF": a send under way is given up, and said so.
    actions.disconnect = [this] { hangUp(); };
    actions.connected = [this] { return m_dialUp->connected(); };
    actions.powerOff = [this] { m_dialUp->AutoPowerOFF(); };
}

bool Controller::DialUpOn()
{
    return m_dialUp->DialUpOn();
}

void Controller::hangUp()
{
    // spbOKClick on "OFF"
    if (!m_dialUp->connected())
        return;
    // A send under way is given up.
    if (m_sending)
        m_core.state.marker = QStringLiteral("x");
    m_dialUp->stopConnectTimer();
    m_timSec->stop();
    m_dialUp->ModemClose();
    m_strip->DispSet(DisplayState::Normal);
    m_sending = false;
}

} // namespace vesk
