#include "boxes/gui/ControllerBoxHost.h"

#include "app/Controller.h"
#include "store/rules/RuleStorage.h"

namespace vesk {

ControllerBoxHost::ControllerBoxHost(Controller &controller, SettingsStore &settingsStore)
    : m_c(controller)
    , m_settingsStore(settingsStore)
{ }

const Settings &ControllerBoxHost::settings() const
{
    return m_c.settings();
}

QString ControllerBoxHost::lastTime() const
{
    return m_c.lastTime();
}

void ControllerBoxHost::wakeMailer(int mailer)
{
    m_c.wakeMailer(mailer);
}

void ControllerBoxHost::keyTyped(QChar character)
{
    m_c.keyTyped(character);
}

void ControllerBoxHost::checkNow(bool keepLine)
{
    if (keepLine)
        m_c.checkNowKeepLine();
    else
        m_c.checkNow();
}

bool ControllerBoxHost::sendHeld() const
{
    return m_c.sendHeld();
}

void ControllerBoxHost::setSendHeld(bool held)
{
    m_c.setSendHeld(held);
}

bool ControllerBoxHost::mailIndicationOn() const
{
    return m_c.mailIndicationOn();
}

void ControllerBoxHost::toggleMailIndication()
{
    m_c.toggleMailIndication();
}

void ControllerBoxHost::popUpCheck()
{
    m_c.popUpCheck();
}

void ControllerBoxHost::openSettings(bool rulesPage)
{
    m_c.openSettingsAt(rulesPage ? Controller::SettingsPage::Rules : Controller::SettingsPage::Usual);
}

void ControllerBoxHost::offerRule(int list, const QString &text)
{
    m_c.offerRule(list, text);
}

RuleLists ControllerBoxHost::distributionRules() const
{
    return rulestorage::load(m_settingsStore);
}

void ControllerBoxHost::sendToStickyNote(const QString &text)
{
    m_c.sendToStickyNote(text);
}

} // namespace vesk
