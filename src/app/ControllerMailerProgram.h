#pragma once

#include "app/Controller.h"
#include "app/MailerController.h"
#include "boxes/BoxWindowController.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"

namespace vesk {

// What the mailers see of the controller.
class Controller::MailerProgram final : public MailerController::Program
{
public:
    explicit MailerProgram(Controller &controller)
        : m_c(controller)
    { }

    Settings &settings() override { return m_c.m_settings; }
    bool closeRequested() const override { return m_c.m_closeRequested; }
    bool animationOn() const override { return m_c.m_animationOn; }
    int newMailCount() const override { return m_c.m_newMailCount; }
    void stopAnimation() override
    {
        if (m_c.m_animationOn)
            m_c.setNewMail(m_c.m_newMailCount, m_c.m_mailAnnounced, false);
    }
    void showBoxWindow() override { m_c.m_boxWindow->showBoxWindow(); }
    void showDisplay(int mode) override { m_c.m_strip->DispSet(mode); }
    void hold(int seconds) override { m_c.hold(seconds); }
    void checkBeforeMailer() override { m_c.checkBeforeMailer(); }
    void indicationReset() override
    {
        m_c.m_strip->display().setMailColour(false);
        m_c.setNewMail(m_c.m_newMailCount, m_c.m_mailAnnounced, false);
        if (m_c.m_core.state.running())
            emit m_c.m_strip->displayChanged();
        else
            m_c.m_strip->DispSet(DisplayState::Normal);
    }
    bool serversClosedForSession() const override { return m_c.m_serversClosedForSession; }
    void mailHandedOver() override
    {
        m_c.setNewMail(0, false, m_c.m_animationOn);
        m_c.m_atoms.remove(StripController::TalkedAtom);
        if (m_c.m_boxWindow->boxWindowOpen())
            m_c.m_boxWindow->showLastCheck();
    }

private:
    Controller &m_c;
};

} // namespace vesk
