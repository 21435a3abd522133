#pragma once

#include "app/Controller.h"
#include "extras/settings/SettingsController.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"

namespace vesk {

// What the settings dialog's side sees of the controller.
class Controller::SettingsProgram final : public SettingsController::Program
{
public:
    explicit SettingsProgram(Controller &controller)
        : m_c(controller)
    { }

    Settings &settings() override { return m_c.m_settings; }
    bool closeRequested() const override { return m_c.m_closeRequested; }
    bool closed() const override { return m_c.m_closed; }
    void applySettings(bool hadAccount) override { m_c.applySettings(hadAccount); }
    QString checkRefusal() const override { return m_c.checkRefusal(); }
    void runConnectionTest() override { m_c.manualCheck(TriggerManualHangUp); }
    void closeProviderSession() override
    {
        if (m_c.m_provider && m_c.m_provider->clientActive())
            m_c.m_provider->closeClient();
    }
    void reopenLocalServers() override { m_c.reopenLocalServers(); }
    void endProgram() override
    {
        // The main window closes, which ends the program.
        m_c.m_core.state.marker = QStringLiteral("  ");
        m_c.m_closeRequested = true;
        m_c.FormCloseQuery();
    }
    void notYetAvailable(const QString &feature) override { m_c.notYetAvailable(feature); }

private:
    Controller &m_c;
};

} // namespace vesk
