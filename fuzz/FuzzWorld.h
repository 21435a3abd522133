#pragma once

// The quiet surroundings the dialogue fuzz targets run in: nothing waits,
// no timer fires, no message is shown.

#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"

#include <memory>

namespace vesk::fuzz {

class IdleTimer final : public Timer
{
public:
    void setInterval(int ms) override { m_interval = ms; }
    int interval() const override { return m_interval; }
    void start() override { m_active = true; }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

private:
    int m_interval = 0;
    bool m_active = false;
};

class IdleTimers final : public TimerFactory
{
public:
    std::unique_ptr<Timer> create() override { return std::make_unique<IdleTimer>(); }
};

class NoWaitPump final : public EventPump
{
public:
    bool waitUntil(const std::function<bool()> &done, int, int) override { return done(); }
};

class QuietMessenger final : public Messenger
{
public:
    void message(const QString &) override { }
    void beep() override { }
};

} // namespace vesk::fuzz
