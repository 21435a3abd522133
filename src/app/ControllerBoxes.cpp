#include "app/Controller.h"
#include "mail/CoreServices.h"
#include "platform/Messenger.h"
#include "settings/SettingsStore.h"
#include "store/rules/RuleEntryModel.h"
#include "store/rules/RuleStorage.h"

namespace vesk {

void Controller::wakeMailer(int mailer)
{
    Wakeup(mailer == 2 ? 2 : 1);
}

void Controller::setSendHeld(bool held)
{
    if (m_settings.ManuSend == held)
        return;
    m_settings.ManuSend = held;
    // The local servers and the session take their switches from here.
    emit settingsChanged(m_settings);
}

void Controller::openSettingsAt(SettingsPage page)
{
    m_settingsPage = page;
    if (!m_settingsDialogPresent) {
        notYetAvailable(QStringLiteral("各種設定"));
        return;
    }
    openSettings();
}

void Controller::offerRule(int list, const QString &text)
{
    if (!RuleLists::isValidList(list) || text.isEmpty())
        return;
    if (m_settingsDialogPresent) {
        m_ruleOffer = RuleOffer { list, text };
        openSettingsAt(SettingsPage::Rules);
        return;
    }
    const auto answer = m_core.messenger.ask(QStringLiteral("振分け設定"),
        QStringLiteral("「%1」を振り分け%2に加えます。\r\nよろしいですか？").arg(text).arg(list),
        Messenger::Buttons::YesNo);
    if (answer != Messenger::Answer::Yes)
        return;
    RuleEntryModel rules(m_core.messenger);
    rules.setLists(rulestorage::load(m_settingsStore));
    rules.setEntry(list, text);
    if (!rules.spbAdd1Click(list))
        return; // refused with its message (a rule already there)
    QString error;
    if (!rulestorage::save(m_settingsStore, rules.lists(), &error)) {
        m_core.messenger.beep();
        m_core.messenger.message(error);
        return;
    }
    // The distribution takes the new rule at once, without a restart of
    // the local servers.
    if (m_settings.ServerON && m_settings.DevideON && m_settings.MailRound) {
        m_settings.DevideList = rules.lists().toArray();
        emit settingsChanged(m_settings);
    }
}

std::optional<Controller::RuleOffer> Controller::takeRuleOffer()
{
    return std::exchange(m_ruleOffer, std::nullopt);
}

} // namespace vesk
