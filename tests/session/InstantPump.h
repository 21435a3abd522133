#pragma once

#include "platform/EventPump.h"

#include <QtGlobal>

#include <functional>

namespace vesk::test {

// Waits without waiting: each round only counts its time, and an optional
// hook runs in it (as a socket event or timer would).
class InstantPump final : public EventPump
{
public:
    bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) override
    {
        for (int round = 0; round < rounds; ++round) {
            if (done())
                return true;
            waitedMs += pauseMs;
            if (duringWait)
                duringWait();
        }
        return done();
    }

    qint64 waitedMs = 0;
    std::function<void()> duringWait;
};

} // namespace vesk::test
