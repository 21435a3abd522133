#pragma once

#include "app/Controller.h"
#include "boxes/BoxWindowController.h"
#include "extras/settings/SettingsController.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"

namespace vesk {

// What the provider session and the local servers see of the controller:
// their requests go to its operations, what they show becomes its signals.
class Controller::EngineHost final : public MailHost, public MailView
{
public:
    explicit EngineHost(Controller &controller) : m_c(controller) {}

    // MailHost
    void closeLocalServers() override { m_c.closeLocalServers(); }
    void reopenLocalServers() override { m_c.reopenLocalServers(); }
    Placement devideGo(const QString &fileName) override
    {
        const auto [box, name] = m_c.devideGo(fileName);
        return { box, name };
    }
    void checkStarted(const QString &lastTime) override { m_c.checkStarted(lastTime); }
    void restartMinuteTimer() override { m_c.startMinuteTimer(); }
    void connError() override { m_c.connError(); }
    bool connectionTestRunning() const override { return m_c.m_settingsDialog->connectionTestRunning(); }
    void clearNewMailIndication() override { m_c.clearNewMailIndication(); }
    void upLoad(int checkTrigger) override { m_c.mailerCycle(checkTrigger); }
    void closeDialUp() override;

    // MailView
    bool boxWindowOpen() const override { return m_c.m_boxWindow->boxWindowOpen(); }
    void showBoxWindow() override { m_c.m_boxWindow->showBoxWindow(); }
    void remainCheck() override
    {
        if (!m_c.anyMailHeld())
            emit m_c.m_boxWindow->closeRequested();
    }
    void setBoxCaption(const QString &caption) override { emit m_c.m_boxWindow->captionChanged(caption); }
    void messageAdded(Box box, const QString &fileName) override { emit m_c.m_boxWindow->messageAdded(box, fileName); }
    void messageRemoved(Box box, const QString &fileName) override
    {
        emit m_c.m_boxWindow->messageRemoved(box, fileName);
    }
    void setDisplayMode(int mode) override { m_c.m_strip->DispSet(mode); }
    // The strip draws neither a transfer's direction nor its progress.
    void showDirection(const QString &) override { }
    void progress() override { }
    void dialPanelStatus(const QString &text) override;
    void raiseMainWindow() override { emit m_c.raiseRequested(); }

private:
    Controller &m_c;
};

} // namespace vesk
