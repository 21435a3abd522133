#include "support/FakeClock.h"
#include "support/FakeTimerFactory.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(FakeTimers, FireInDueOrderAndMoveTheClock)
{
    FakeClock clock;
    const QDateTime start = clock.now();
    FakeTimerFactory timers(&clock);
    auto fast = timers.create();
    auto slow = timers.create();
    QStringList fired;
    fast->setInterval(50);
    slow->setInterval(120);
    fast->setCallback([&] { fired << QStringLiteral("fast@%1").arg(start.msecsTo(clock.now())); });
    slow->setCallback([&] {
        fired << QStringLiteral("slow@%1").arg(start.msecsTo(clock.now()));
        slow->stop();
    });
    fast->start();
    slow->start();
    timers.advance(160);
    EXPECT_EQ(fired, (QStringList{"fast@50", "fast@100", "slow@120", "fast@150"}));
    EXPECT_EQ(start.msecsTo(clock.now()), 160);
}

TEST(FakeTimers, ChangingTheIntervalOfARunningTimerReschedulesIt)
{
    FakeTimerFactory timers;
    auto timer = timers.create();
    int count = 0;
    timer->setCallback([&] {
        ++count;
        if (count == 1)
            timer->setInterval(1000);
    });
    timer->setInterval(50);
    timer->start();
    timers.advance(999);
    EXPECT_EQ(count, 1);
    timers.advance(51);
    EXPECT_EQ(count, 2);
}

} // namespace vesk::test
