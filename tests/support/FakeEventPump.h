#pragma once

#include "platform/EventPump.h"

#include <QtGlobal>

#include <functional>

namespace vesk::test {

class FakeTimerFactory;

// Waits without waiting. Each round counts its pause, moves the fake timers
// on by it (when there are any), serves the real event loop once (when
// asked: sockets on loopback then make progress) and runs the test's hook
// (as a socket event or timer would).
class FakeEventPump final : public EventPump
{
public:
    bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) override;

    FakeTimerFactory *timers = nullptr;
    bool serveEventLoop = false;
    int roundsRun = 0;
    qint64 waitedMs = 0;
    std::function<void()> eachRound;
};

} // namespace vesk::test
