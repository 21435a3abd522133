#pragma once

#include "extras/settings/SettingsDialogHost.h"

#include <functional>

namespace vesk {

class Controller;
class ProtocolMonitor;
class ProviderTokens;
class TDebugForm;

// The settings dialog's view of the running program: the controller's
// commands, the protocol monitor window and the program's sound.
class SettingsDialogLink final : public SettingsDialogHost
{
public:
    struct Windows
    {
        // The monitor window while it is open, else null.
        std::function<TDebugForm *()> monitor;
        std::function<void()> openMonitor;
        std::function<void(const QString &, SoundEvent)> play;
        std::function<void()> help;
        // Closes the box window and lets it go, so that the next one is
        // built for the new settings; false when it was not open.
        std::function<bool()> dropBoxWindow;
        std::function<void(ColorValue)> previewClockColor;
    };

    SettingsDialogLink(Controller &controller, ProtocolMonitor &monitor, Windows windows);

    bool monitorOpen() const override;
    void openMonitor() override;
    void clearMonitor() override;
    void closeMonitor() override;
    void setMonitorStatus(const QString &text) override;
    void monitorLine(const QString &text) override;
    bool testConnection(const ProviderAccount &account) override;
    void cancelConnectionTest() override;
    bool connectionTestRunning() const override;
    void playSound(const QString &waveFile, SoundEvent event) override;
    void previewClockColor(ColorValue color) override;
    void signIn(const OAuthClient &client, std::function<void(bool ok, const QString &text)> done) override;
    // Where the sign-in's tokens go (none: the button only says it cannot).
    void setTokens(ProviderTokens *tokens) { m_tokens = tokens; }
    void testStartMailer(const QString &program, const QString &switches) override;
    void mailerMacroTest(
        int mailer, const QString &program, const QString &switches, const QString &macro) override;
    void openHelp(int topic) override;
    void settingsSaved(bool serverOn) override;
    void settingsErased() override;
    void dialogClosed() override;

private:
    Controller &m_controller;
    ProtocolMonitor &m_monitor;
    Windows m_windows;
    bool m_showBoxAgain = false;
    ProviderTokens *m_tokens = nullptr;
};

} // namespace vesk
