#pragma once

#include <functional>

namespace vesk {

// The one way to wait for something while the program keeps serving its
// sockets and timers: run the event loop in bounded rounds, checking the
// condition after each round.
class EventPump
{
public:
    virtual ~EventPump() = default;

    // Pumps events for up to `rounds` rounds of `pauseMs` each, stopping early
    // once `done` returns true. Returns the last result of `done`.
    virtual bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) = 0;

    // Pumps events for `ms` milliseconds.
    void pause(int ms) { waitUntil([] { return false; }, 1, ms); }
};

// Runs a nested QEventLoop for each round.
class QtEventPump final : public EventPump
{
public:
    bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) override;
    static QtEventPump &instance();
};

} // namespace vesk
