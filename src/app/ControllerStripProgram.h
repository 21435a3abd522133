#pragma once

#include "app/AccessoriesController.h"
#include "app/Controller.h"
#include "app/StripController.h"
#include "dialup/ConnectionControl.h"
#include "extras/settings/SettingsController.h"
#include "plan/PlanController.h"

namespace vesk {

// What the strip sees of the controller.
class Controller::StripProgram final : public StripController::Program
{
public:
    explicit StripProgram(Controller &controller)
        : m_c(controller)
    { }

    Settings &settings() override { return m_c.m_settings; }
    void settingsChanged() override { emit m_c.settingsChanged(m_c.m_settings); }
    bool closeRequested() const override { return m_c.m_closeRequested; }
    bool mailWaiting() const override { return m_c.m_newMailCount >= 1 || m_c.m_mailAnnounced; }
    bool mailAnnounced() const override { return m_c.m_mailAnnounced; }
    bool animationRunning() const override { return m_c.m_animationOn; }
    bool connected() const override { return m_c.m_dialUp->connected(); }
    bool dialPanelShown() const override { return m_c.m_dialUp->panel().shown; }
    void stopConnectTimer() override { m_c.m_dialUp->stopConnectTimer(); }
    bool calendarOpen() const override { return m_c.m_planner->calendarOpen(); }
    bool settingsErased() const override { return m_c.m_settingsDialog->erased(); }
    void layoutChanged(StripLayout before, StripLayout now) override
    {
        m_c.m_accessories->animationLayoutChanged(before, now);
    }
    void stickyNoteOptionChanged() override { m_c.m_accessories->stickyNoteOptionChanged(); }
    void planAlertAcknowledged() override { m_c.m_planner->planAlertAcknowledged(); }

private:
    Controller &m_c;
};

} // namespace vesk
