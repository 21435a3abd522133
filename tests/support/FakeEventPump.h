#pragma once

#include "platform/EventPump.h"
#include "support/FakeTimerFactory.h"

namespace vesk::test {

// Waiting moves fake time instead of real time: each round advances the fake
// timers by the round's pause, so timers fire inside waits as they would.
class FakeEventPump final : public EventPump
{
public:
    explicit FakeEventPump(FakeTimerFactory &timers) : m_timers(timers) {}

    bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) override
    {
        for (int round = 0; round < rounds; ++round) {
            if (done())
                return true;
            m_timers.advance(pauseMs);
        }
        return done();
    }

private:
    FakeTimerFactory &m_timers;
};

} // namespace vesk::test
