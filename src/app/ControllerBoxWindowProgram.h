#pragma once

#include "app/Controller.h"
#include "boxes/BoxWindowController.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"

namespace vesk {

// What the box window's side sees of the controller.
class Controller::BoxWindowProgram final : public BoxWindowController::Program
{
public:
    explicit BoxWindowProgram(Controller &controller)
        : m_c(controller)
    { }

    Settings &settings() override { return m_c.m_settings; }
    void settingsChanged() override { emit m_c.settingsChanged(m_c.m_settings); }
    QString lastTime() const override { return m_c.m_lastTime; }
    bool mailIndicationOn() const override { return m_c.m_animationOn || m_c.m_mailAnnounced; }
    void mailTaken() override
    {
        m_c.m_strip->display().setMailColour(false);
        m_c.setNewMail(0, false, false);
        if (!m_c.m_core.state.running())
            m_c.m_strip->DispSet(DisplayState::Normal);
        else
            emit m_c.m_strip->displayChanged();
        m_c.m_atoms.remove(StripController::TalkedAtom);
    }

private:
    Controller &m_c;
};

} // namespace vesk
