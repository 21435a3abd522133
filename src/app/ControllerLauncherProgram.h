#pragma once

#include "app/Controller.h"
#include "launcher/LauncherController.h"
#include "platform/Timer.h"

namespace vesk {

// What the launcher sees of the controller.
class Controller::LauncherProgram final : public LauncherController::Program
{
public:
    explicit LauncherProgram(Controller &controller)
        : m_c(controller)
    { }

    Settings &settings() override { return m_c.m_settings; }
    void readSettingsAgain() override { m_c.RetMain(); }
    bool closeRequested() const override { return m_c.m_closeRequested; }
    bool minuteTimerActive() const override { return m_c.m_timMin->isActive(); }
    void stopMinuteTimer() override { m_c.stopMinuteTimer(); }
    void startMinuteTimer() override { m_c.startMinuteTimer(); }

private:
    Controller &m_c;
};

} // namespace vesk
