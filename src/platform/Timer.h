#pragma once

#include <functional>
#include <memory>

namespace vesk {

// A repeating timer on the event loop. The program's timers (minute tick,
// display hold, session watchdog, ...) are made through a TimerFactory so that
// tests can drive them with a fake clock instead of real time.
class Timer
{
public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    void setCallback(std::function<void()> callback) { m_callback = std::move(callback); }

protected:
    void fire()
    {
        if (m_callback)
            m_callback();
    }

private:
    std::function<void()> m_callback;
};

class TimerFactory
{
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> create() = 0;
};

// Timers backed by QTimer.
class QtTimerFactory final : public TimerFactory
{
public:
    std::unique_ptr<Timer> create() override;
    static QtTimerFactory &instance();
};

} // namespace vesk
