#include "app/gui/SettingsDialogLink.h"

#include "app/Controller.h"
#include "app/MailerController.h"
#include "auth/ProviderTokens.h"
#include "boxes/BoxWindowController.h"
#include "extras/monitor/gui/DebugForm.h"
#include "extras/settings/SettingsController.h"
#include "mail/ProtocolMonitor.h"

#include <QDesktopServices>
#include <QUrl>

namespace vesk {

SettingsDialogLink::SettingsDialogLink(Controller &controller, ProtocolMonitor &monitor, Windows windows)
    : m_controller(controller)
    , m_monitor(monitor)
    , m_windows(std::move(windows))
{ }

bool SettingsDialogLink::monitorOpen() const
{
    return m_windows.monitor() != nullptr;
}

void SettingsDialogLink::openMonitor()
{
    m_windows.openMonitor();
}

void SettingsDialogLink::clearMonitor()
{
    if (TDebugForm *window = m_windows.monitor())
        window->btnClearClick();
}

void SettingsDialogLink::closeMonitor()
{
    if (TDebugForm *window = m_windows.monitor())
        window->close();
}

void SettingsDialogLink::setMonitorStatus(const QString &text)
{
    if (TDebugForm *window = m_windows.monitor())
        window->setStatusText(text);
}

void SettingsDialogLink::monitorLine(const QString &text)
{
    m_monitor.debug(text);
}

bool SettingsDialogLink::testConnection(const ProviderAccount &account)
{
    return m_controller.settingsDialog().testConnection(account);
}

void SettingsDialogLink::cancelConnectionTest()
{
    m_controller.settingsDialog().cancelConnectionTest();
}

bool SettingsDialogLink::connectionTestRunning() const
{
    return m_controller.settingsDialog().connectionTestRunning();
}

void SettingsDialogLink::playSound(const QString &waveFile, SoundEvent event)
{
    m_windows.play(waveFile, event);
}

void SettingsDialogLink::testStartMailer(const QString &program, const QString &switches)
{
    m_controller.mailers().testStartMailer(program, switches);
}

void SettingsDialogLink::mailerMacroTest(
    int mailer, const QString &program, const QString &switches, const QString &macro)
{
    m_controller.mailers().mailerMacroTest(mailer, program, switches, macro);
}

void SettingsDialogLink::openHelp(int topic)
{
    // One help page for now; the topics are its sections.
    Q_UNUSED(topic);
    m_windows.help();
}

void SettingsDialogLink::previewClockColor(ColorValue color)
{
    if (m_windows.previewClockColor)
        m_windows.previewClockColor(color);
}

void SettingsDialogLink::settingsSaved(bool serverOn)
{
    // The box window is closed and built again for the new settings (its
    // lists and menus follow the two-mailer switch), once they apply.
    const bool wasOpen = m_windows.dropBoxWindow && m_windows.dropBoxWindow();
    m_showBoxAgain = serverOn && wasOpen;
}

void SettingsDialogLink::settingsErased()
{
    m_controller.settingsDialog().settingsErased();
}

void SettingsDialogLink::dialogClosed()
{
    m_controller.settingsDialog().settingsDialogClosed();
    if (m_showBoxAgain) {
        m_showBoxAgain = false;
        m_controller.boxWindow().showBoxWindow();
    }
}

void SettingsDialogLink::signIn(const OAuthClient &client, std::function<void(bool ok, const QString &text)> done)
{
    if (!m_tokens) {
        SettingsDialogHost::signIn(client, std::move(done));
        return;
    }
    m_tokens->signIn(client, [](const QUrl &url) { return QDesktopServices::openUrl(url); }, std::move(done));
}

} // namespace vesk
