#include "support/FakeClock.h"
#include "support/FakeTimerFactory.h"

#include <gtest/gtest.h>

namespace vesk::test {

// The fake timers every timed test relies on: in due order, the clock along.
TEST(FakeTimers, FireInDueOrderMoveTheClockAndFollowANewInterval)
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
        fast->setInterval(1000);
        slow->stop();
    });
    fast->start();
    slow->start();
    timers.advance(1300);
    EXPECT_EQ(fired, (QStringList { "fast@50", "fast@100", "slow@120", "fast@1120" }));
    EXPECT_EQ(start.msecsTo(clock.now()), 1300);
}

} // namespace vesk::test
