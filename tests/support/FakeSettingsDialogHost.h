#pragma once

#include "extras/settings/SettingsDialogHost.h"

#include <QStringList>

namespace vesk::test {

// The program as the settings dialog sees it, recording what it is asked.
class FakeSettingsDialogHost final : public SettingsDialogHost
{
public:
    bool monitorOpen() const override { return monitor; }
    void openMonitor() override { monitor = true; }
    void clearMonitor() override { lines.clear(); }
    void closeMonitor() override { monitor = false; }
    void setMonitorStatus(const QString &text) override { statuses << text; }
    void monitorLine(const QString &text) override { lines << text; }
    bool testConnection(const ProviderAccount &account) override
    {
        tested << account.Host + '/' + account.SMTP + '/' + account.UserID + '/' + account.Password;
        return passes;
    }
    void cancelConnectionTest() override { ++cancels; }
    bool connectionTestRunning() const override { return false; }
    void playSound(const QString &file, SoundEvent) override { sounds << file; }
    void testStartMailer(const QString &program, const QString &) override { started << program; }
    void mailerMacroTest(int, const QString &program, const QString &, const QString &macro) override
    {
        started << program + u' ' + macro;
    }
    void openHelp(int) override { }
    void settingsSaved(bool serverOn) override { saved << serverOn; }
    void settingsErased() override { ++erased; }
    void dialogClosed() override { ++closed; }
    void signIn(const OAuthClient &client, std::function<void(bool ok, const QString &text)> done) override
    {
        signIns << client;
        done(signInWorks, signInWorks ? QStringLiteral("サインインしました") : QStringLiteral("サインインできませんでした"));
    }

    bool monitor = false;
    bool passes = true;
    int cancels = 0;
    int erased = 0;
    int closed = 0;
    QList<bool> saved;
    bool signInWorks = true;
    QList<OAuthClient> signIns;
    QStringList statuses, lines, tested, sounds, started;
};

} // namespace vesk::test
