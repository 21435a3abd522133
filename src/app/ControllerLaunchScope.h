#pragma once

#include "app/Controller.h"
#include "platform/Timer.h"

namespace vesk {

// Marks a program start or a macro as running for as long as it lives: a
// second one is refused meanwhile, and the minute timer rests, so that no
// check starts inside its waits.
class Controller::LaunchScope final
{
public:
    explicit LaunchScope(Controller &controller)
        : m_controller(controller)
        , m_timerWasActive(controller.m_timMin->isActive())
    {
        m_controller.m_launching = true;
        m_controller.stopMinuteTimer();
    }
    ~LaunchScope()
    {
        m_controller.m_launching = false;
        if (m_timerWasActive)
            m_controller.startMinuteTimer();
        if (!m_controller.m_waitingStarts.isEmpty())
            QMetaObject::invokeMethod(
                &m_controller, [c = &m_controller] { c->runWaitingStart(); }, Qt::QueuedConnection);
    }
    LaunchScope(const LaunchScope &) = delete;
    LaunchScope &operator=(const LaunchScope &) = delete;

private:
    Controller &m_controller;
    bool m_timerWasActive;
};

} // namespace vesk
