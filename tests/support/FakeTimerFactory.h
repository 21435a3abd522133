#pragma once

#include "platform/Timer.h"

#include <QtGlobal>

#include <vector>

namespace vesk::test {

class FakeClock;

// Timers that fire only when the test advances time. Due timers fire in the
// order of their due time; a timer restarted inside its own callback is
// rescheduled from the moment it fired.
class FakeTimerFactory final : public TimerFactory
{
public:
    explicit FakeTimerFactory(FakeClock *clock = nullptr)
        : m_clock(clock)
    { }
    ~FakeTimerFactory() override;

    std::unique_ptr<Timer> create() override;

    // Moves time forward by `ms`, firing every timer that falls due on the way.
    void advance(qint64 ms);
    qint64 elapsed() const { return m_now; }

    class FakeTimer;

private:
    friend class FakeTimer;
    FakeClock *m_clock;
    qint64 m_now = 0;
    std::vector<FakeTimer *> m_timers;
};

} // namespace vesk::test
