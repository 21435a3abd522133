#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace vesk::test {

// Runs the event loop until `done` is true or `timeoutMs` has passed.
inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 10000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Serves the event loop for `ms`.
inline void pumpFor(int ms)
{
    waitFor([] { return false; }, ms);
}

} // namespace vesk::test
