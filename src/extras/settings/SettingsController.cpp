#include "extras/settings/SettingsController.h"
#include "mail/EditorGate.h"

#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/Messenger.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"
#include "store/rules/RuleEntryModel.h"
#include "store/rules/RuleStorage.h"

namespace vesk {
namespace {

// What the connection test switches, and puts back afterwards.
void takeProviderFields(Settings &to, const Settings &from)
{
    ProviderAccount::of(from).applyTo(to);
    to.ServerON = from.ServerON;
    to.AccountComplete = from.AccountComplete;
}

} // namespace

SettingsController::SettingsController(
    const CoreServices &core, SettingsStore &settingsStore, Program &program, EditorGate &editors, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_settingsStore(settingsStore)
    , m_program(program)
    , m_editors(editors)
{ }

void SettingsController::openSettings()
{
    // One editor dialog at a time.
    if (m_editors.refuse())
        return;
    if (!m_settingsDialogPresent)
        return;
    m_editors.setOpen(true);
    emit dialogRequested();
}

void SettingsController::settingsDialogClosed()
{
    m_editors.setOpen(false);
    m_settingsPage = SettingsPage::Usual;
    m_ruleOffer.reset();
    // Closed by the end of the program (all settings erased): nothing to apply.
    if (m_program.closeRequested())
        return;
    m_program.applySettings(m_program.settings().AccountComplete);
}

bool SettingsController::openAtStartOnce()
{
    if (m_settingsDialogShownAtStart)
        return false;
    m_settingsDialogShownAtStart = true;
    openSettings();
    return true;
}

void SettingsController::openSettingsAt(SettingsPage page)
{
    m_settingsPage = page;
    if (!m_settingsDialogPresent) {
        m_program.notYetAvailable(QStringLiteral("各種設定"));
        return;
    }
    openSettings();
}

void SettingsController::offerRule(int list, const QString &text)
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
    Settings &settings = m_program.settings();
    if (settings.ServerON && settings.DevideON && settings.MailRound) {
        settings.DevideList = rules.lists().toArray();
        emit settingsChanged(settings);
    }
}

std::optional<SettingsController::RuleOffer> SettingsController::takeRuleOffer()
{
    return std::exchange(m_ruleOffer, std::nullopt);
}

bool SettingsController::testConnection(const ProviderAccount &account)
{
    if (!m_program.checkRefusal().isEmpty()) {
        m_core.messenger.beep();
        return false;
    }
    // Without an account the check would ask nobody, and that must not pass
    // for a connection that works.
    if (!account.complete())
        return false;

    Settings &settings = m_program.settings();
    Settings test = settings;
    account.applyTo(test);
    // Check-only: the session logs in, counts and leaves; nothing is sent.
    test.ServerON = false;
    test.AccountComplete = true;
    // The port dialog writes the provider ports straight to the store.
    if (account.POP3_ServerVesk <= 0)
        test.POP3_ServerVesk = SettingsTable::value(m_settingsStore, &Settings::POP3_ServerVesk);
    test.SMTP_ServerVesk = SettingsTable::value(m_settingsStore, &Settings::SMTP_ServerVesk);

    const Settings loaded = settings;
    const int reads = m_settingsReads;
    takeProviderFields(settings, test);
    m_connectionTest = true;
    emit providerSettingsChanged(settings);

    m_program.runConnectionTest();
    // Blanks are a marker too: a hang-up or a cancelled test leaves them.
    const bool passed = m_core.state.marker.isEmpty();

    m_connectionTest = false;
    m_program.closeProviderSession();
    // Settings read again meanwhile are newer than the ones put aside; the
    // settings read then are the ones in use.
    if (m_settingsReads == reads && !m_program.closed()) {
        Settings &now = m_program.settings();
        takeProviderFields(now, loaded);
        emit providerSettingsChanged(now);
        // The session saw no local server function, so it left them closed.
        m_program.reopenLocalServers();
    }
    return passed;
}

void SettingsController::cancelConnectionTest()
{
    if (m_connectionTest)
        m_core.state.marker = QStringLiteral("x");
}

void SettingsController::settingsErased()
{
    m_settingsErased = true;
    if (m_program.closeRequested())
        return;
    m_program.endProgram();
}

} // namespace vesk
