#include "support/FakeTimerFactory.h"
#include "support/FakeClock.h"

#include <algorithm>

namespace vesk::test {

class FakeTimerFactory::FakeTimer final : public Timer
{
public:
    explicit FakeTimer(FakeTimerFactory *owner)
        : m_owner(owner)
    {
        m_owner->m_timers.push_back(this);
    }
    ~FakeTimer() override
    {
        if (m_owner) {
            auto &timers = m_owner->m_timers;
            timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
        }
    }
    void setInterval(int ms) override
    {
        m_interval = ms;
        if (m_active)
            m_due = m_owner->m_now + std::max(ms, 1);
    }
    int interval() const override { return m_interval; }
    void start() override
    {
        m_active = true;
        m_due = m_owner->m_now + std::max(m_interval, 1);
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    void trigger()
    {
        m_due = m_owner->m_now + std::max(m_interval, 1);
        fire();
    }
    void detach() { m_owner = nullptr; }

    FakeTimerFactory *m_owner;
    int m_interval = 0;
    bool m_active = false;
    qint64 m_due = 0;
};

FakeTimerFactory::~FakeTimerFactory()
{
    for (FakeTimer *timer : m_timers)
        timer->detach();
}

std::unique_ptr<Timer> FakeTimerFactory::create()
{
    return std::make_unique<FakeTimer>(this);
}

void FakeTimerFactory::advance(qint64 ms)
{
    const qint64 end = m_now + ms;
    for (;;) {
        FakeTimer *next = nullptr;
        for (FakeTimer *timer : m_timers) {
            if (timer->m_active && timer->m_due <= end && (!next || timer->m_due < next->m_due))
                next = timer;
        }
        if (!next)
            break;
        // A wait inside a callback may already have moved time further.
        if (next->m_due > m_now) {
            if (m_clock)
                m_clock->advanceMs(next->m_due - m_now);
            m_now = next->m_due;
        }
        next->trigger();
    }
    if (end > m_now) {
        if (m_clock)
            m_clock->advanceMs(end - m_now);
        m_now = end;
    }
}

} // namespace vesk::test
