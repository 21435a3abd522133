#include "app/Controller.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/Messenger.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

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

bool Controller::testConnection(const ProviderAccount &account)
{
    if (!checkRefusal().isEmpty()) {
        m_core.messenger.beep();
        return false;
    }
    // Without an account the check would ask nobody, and that must not pass
    // for a connection that works.
    if (!account.complete())
        return false;

    Settings test = m_settings;
    account.applyTo(test);
    // Check-only: the session logs in, counts and leaves; nothing is sent.
    test.ServerON = false;
    test.AccountComplete = true;
    // The port dialog writes the provider ports straight to the store.
    if (account.POP3_ServerVesk <= 0)
        test.POP3_ServerVesk = SettingsTable::value(m_settingsStore, &Settings::POP3_ServerVesk);
    test.SMTP_ServerVesk = SettingsTable::value(m_settingsStore, &Settings::SMTP_ServerVesk);

    const Settings loaded = m_settings;
    const int reads = m_settingsReads;
    takeProviderFields(m_settings, test);
    m_connectionTest = true;
    emit providerSettingsChanged(m_settings);

    manualCheck(TriggerManualHangUp);
    // Blanks are a marker too: a hang-up or a cancelled test leaves them.
    const bool passed = m_core.state.marker.isEmpty();

    m_connectionTest = false;
    if (m_provider && m_provider->clientActive())
        m_provider->closeClient();
    // Settings read again meanwhile are newer than the ones put aside.
    if (m_settingsReads == reads && !m_closed) {
        takeProviderFields(m_settings, loaded);
        emit providerSettingsChanged(m_settings);
        // The session saw no local server function, so it left them closed.
        reopenLocalServers();
    }
    return passed;
}

void Controller::cancelConnectionTest()
{
    if (m_connectionTest)
        m_core.state.marker = QStringLiteral("x");
}

void Controller::settingsErased()
{
    m_settingsErased = true;
    if (m_closeRequested)
        return;
    // The main window closes, which ends the program.
    m_core.state.marker = QStringLiteral("  ");
    m_closeRequested = true;
    FormCloseQuery();
}

} // namespace vesk
