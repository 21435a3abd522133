#include "app/Controller.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/Messenger.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"

namespace vesk {
namespace {

// What the connection test switches, and puts back afterwards.
void takeProviderFields(Settings &to, const Settings &from)
{
    to.Host = from.Host;
    to.SMTP = from.SMTP;
    to.UserID = from.UserID;
    to.Password = from.Password;
    to.Apop = from.Apop;
    to.ServerON = from.ServerON;
    to.AccountComplete = from.AccountComplete;
    to.POP3_ServerVesk = from.POP3_ServerVesk;
    to.SMTP_ServerVesk = from.SMTP_ServerVesk;
    to.POP3_Security = from.POP3_Security;
}

} // namespace

bool Controller::testConnection(const ConnectionTestAccount &account)
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
    test.Host = account.Host;
    test.SMTP = account.SMTP;
    test.UserID = account.UserID;
    test.Password = account.Password;
    test.Apop = account.Apop;
    // Check-only: the session logs in, counts and leaves; nothing is sent.
    test.ServerON = false;
    test.AccountComplete = true;
    test.POP3_Security = account.POP3_Security;
    // The port dialog writes the provider ports straight to the store.
    test.POP3_ServerVesk = account.POP3_ServerVesk > 0
        ? account.POP3_ServerVesk
        : m_settingsStore.readInteger(sections::Config, QStringLiteral("POP3_ServerVesk"), 110);
    test.SMTP_ServerVesk
        = m_settingsStore.readInteger(sections::Config, QStringLiteral("SMTP_ServerVesk"), 25);

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
