#pragma once

#include "platform/EventPump.h"
#include "support/FakeTimerFactory.h"

#include <QEventLoop>
#include <QTimer>

namespace vesk::test {

// Serves real socket events in every round but lets fake time pass for the
// timers: a watchdog of minutes runs out in a moment of real time.
class SocketFakeTimePump final : public EventPump
{
public:
    explicit SocketFakeTimePump(FakeTimerFactory &timers)
        : m_timers(timers)
    { }

    bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) override
    {
        for (int round = 0; round < rounds; ++round) {
            if (done())
                return true;
            QEventLoop loop;
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
            loop.exec();
            m_timers.advance(pauseMs);
        }
        return done();
    }

private:
    FakeTimerFactory &m_timers;
};

} // namespace vesk::test
