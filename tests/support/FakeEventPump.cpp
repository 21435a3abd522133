#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"

#include <QEventLoop>
#include <QTimer>

namespace vesk::test {

bool FakeEventPump::waitUntil(const std::function<bool()> &done, int rounds, int pauseMs)
{
    for (int round = 0; round < rounds; ++round) {
        if (done())
            return true;
        ++roundsRun;
        waitedMs += pauseMs;
        if (serveEventLoop) {
            // With fake timers time is theirs; without, a round takes a
            // moment of real time so that a peer process gets on.
            QEventLoop loop;
            QTimer::singleShot(timers ? 0 : 1, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (timers)
            timers->advance(pauseMs);
        if (eachRound)
            eachRound();
    }
    return done();
}

} // namespace vesk::test
