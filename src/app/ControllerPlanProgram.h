#pragma once

#include "app/Controller.h"
#include "plan/PlanController.h"
#include "platform/Timer.h"

namespace vesk {

// What plans and the calendar see of the controller.
class Controller::PlanProgram final : public PlanController::Program
{
public:
    explicit PlanProgram(Controller &controller)
        : m_c(controller)
    { }

    Settings &settings() override { return m_c.m_settings; }
    void readSettingsAgain() override { m_c.RetMain(); }
    void showDisplay(int mode) override { m_c.m_strip->DispSet(mode); }
    bool mailAnnounced() const override { return m_c.m_mailAnnounced; }
    bool planAlertShown() const override { return m_c.m_strip->display().planAlert(); }
    void showPlanAlert(const QString &time, const QString &comment) override
    {
        m_c.m_strip->showPlanAlert(time, comment);
    }
    void showTimeSignal(const QString &time) override
    {
        m_c.m_strip->display().setSignalTime(time);
        m_c.m_strip->DispSet(DisplayState::TimeSignal);
        m_c.hold(55);
    }
    bool playSound(const QString &waveFile, SoundEvent event) override
    {
        if (!m_c.m_sound)
            return false;
        m_c.m_sound(waveFile, event);
        return true;
    }
    void stopMinuteTimer() override { m_c.m_timMin->stop(); }
    void startMinuteTimer() override { m_c.startMinuteTimer(); }
    void tickAgainNow() override
    {
        // Not while the start-up pass still runs its own rhythm.
        if (m_c.m_minuteRhythm == StartUpRhythm || !m_c.m_timMin->isActive())
            return;
        m_c.m_timMin->stop();
        m_c.timMinTimer();
        m_c.startMinuteTimer();
    }
    bool checkNow() override { return m_c.checkNow(); }
    bool sending() const override { return m_c.m_sending; }

private:
    Controller &m_c;
};

} // namespace vesk
