#pragma once

#include "platform/Sound.h"
#include "settings/ColorValue.h"
#include "settings/OAuthClient.h"
#include "settings/ProviderAccount.h"

#include <QString>

#include <functional>

namespace vesk {

// What the settings dialog asks of the running program: the protocol
// monitor, the connection test, sounds, help, and what follows saving,
// erasing and closing.
class SettingsDialogHost
{
public:
    virtual ~SettingsDialogHost() = default;

    // The protocol monitor window.
    virtual bool monitorOpen() const = 0;
    virtual void openMonitor() = 0;
    virtual void clearMonitor() = 0;
    virtual void closeMonitor() = 0;
    // Its status bar ("TEST" while the connection test runs).
    virtual void setMonitorStatus(const QString &text) = 0;
    // A line of its own in the monitor.
    virtual void monitorLine(const QString &text) = 0;

    // One manual check cycle with this account, the stored provider ports and
    // the local server function off, after which the loaded settings apply
    // again. Returns when it has ended: true when it went well.
    virtual bool testConnection(const ProviderAccount &account) = 0;
    // Ends a running connection test as failed.
    virtual void cancelConnectionTest() = 0;
    virtual bool connectionTestRunning() const = 0;

    // "ブラウザでサインイン": the provider's sign-in in the user's browser
    // for this client; `done` says in the user's words how it went.
    virtual void signIn(const OAuthClient &client, std::function<void(bool ok, const QString &text)> done)
    {
        Q_UNUSED(client);
        done(false, QStringLiteral("この環境ではサインインできません"));
    }

    // The strip's clock in this colour until the settings are read again:
    // the new-mail colour as it would look.
    virtual void previewClockColor(ColorValue color) { Q_UNUSED(color); }

    // Plays a wave file without waiting; an empty name plays the sound
    // theme's sound of the event.
    virtual void playSound(const QString &waveFile, SoundEvent event) = 0;
    // "起動テスト": the mailer as typed, started once.
    virtual void testStartMailer(const QString &program, const QString &switches) = 0;
    // "マクロテスト": the mailer started and its macro typed into it.
    virtual void mailerMacroTest(
        int mailer, const QString &program, const QString &switches, const QString &macro)
        = 0;
    virtual void openHelp(int topic) = 0;

    // The settings were saved; the box window comes back once they apply
    // when the local server function is on.
    virtual void settingsSaved(bool serverOn) = 0;
    // Every setting was erased: the program ends without writing any back.
    virtual void settingsErased() = 0;
    // The dialog has closed, whichever way: the settings are read again.
    virtual void dialogClosed() = 0;
};

} // namespace vesk
