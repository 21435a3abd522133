#include "app/ControllerBoxHost.h"

#include "app/AccessoriesController.h"
#include "app/Controller.h"
#include "app/MailerController.h"
#include "boxes/BoxWindowController.h"
#include "extras/settings/SettingsController.h"
#include "store/rules/RuleStorage.h"

namespace vesk {

ControllerBoxHost::ControllerBoxHost(Controller &controller, SettingsStore &settingsStore, QObject *parent)
    : BoxHost(parent)
    , m_c(controller)
    , m_settingsStore(settingsStore)
{
    connect(&m_c.boxWindow(), &BoxWindowController::messageAdded, this, &BoxHost::messageAdded);
    connect(&m_c.boxWindow(), &BoxWindowController::messageRemoved, this, &BoxHost::messageRemoved);
    connect(&m_c.boxWindow(), &BoxWindowController::captionChanged, this, &BoxHost::captionChanged);
    connect(&m_c.boxWindow(), &BoxWindowController::closeRequested, this, &BoxHost::closeRequested);
    connect(&m_c, &Controller::settingsChanged, this, &BoxHost::settingsChanged);
}

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
    m_c.mailers().wakeMailer(mailer);
}

void ControllerBoxHost::keyTyped(QChar character)
{
    m_c.mailers().keyTyped(character);
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
    return m_c.boxWindow().sendHeld();
}

void ControllerBoxHost::setSendHeld(bool held)
{
    m_c.boxWindow().setSendHeld(held);
}

bool ControllerBoxHost::mailIndicationOn() const
{
    return m_c.boxWindow().mailIndicationOn();
}

void ControllerBoxHost::toggleMailIndication()
{
    m_c.toggleMailIndication();
}

void ControllerBoxHost::popUpCheck()
{
    m_c.boxWindow().popUpCheck();
}

void ControllerBoxHost::openSettings(bool rulesPage)
{
    m_c.settingsDialog().openSettingsAt(
        rulesPage ? SettingsController::SettingsPage::Rules : SettingsController::SettingsPage::Usual);
}

void ControllerBoxHost::offerRule(int list, const QString &text)
{
    m_c.settingsDialog().offerRule(list, text);
}

RuleLists ControllerBoxHost::distributionRules() const
{
    return rulestorage::load(m_settingsStore);
}

void ControllerBoxHost::setBoxWindowOpen(bool open)
{
    m_c.boxWindow().setBoxWindowOpen(open);
}

void ControllerBoxHost::sendToStickyNote(const QString &text)
{
    m_c.accessories().sendToStickyNote(text);
}

} // namespace vesk
