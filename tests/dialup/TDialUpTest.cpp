#include "FakeDialUpBackend.h"

#include "dialup/TDialUp.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "support/WaitFor.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>
#include <thread>

namespace vesk::test {

// Notifications of the service arrive on one of its threads; the handlers
// must see them on the main thread, each once and in order, and only for the
// dial under way.
TEST(TDialUp, NotificationsFromAnotherThreadArriveInOrderOnTheMainThread)
{
    FakeDialUpBackend backend(QtTimerFactory::instance());
    backend.line = FakeDialUpBackend::Line::Silent;
    TDialUp dial(QtTimerFactory::instance(), QtEventPump::instance());
    dial.setBackend(&backend);
    struct Seen
    {
        int state, error;
        QString text;
        bool mainThread;
    };
    std::vector<Seen> seen;
    dial.OnAsyncEvent = [&](int state, int error, const QString &text) {
        seen.push_back({ state, error, text, QThread::currentThread() == qApp->thread() });
    };
    dial.setEntry(QStringLiteral("MyISP"));
    ASSERT_EQ(dial.Dial(), 0);
    const QString own = dial.ownHandle();
    ASSERT_FALSE(own.isEmpty());

    std::thread service([&] {
        backend.report({ QStringLiteral("/fake/elsewhere"), 2, 0 });
        backend.report({ own, 0, 0 });
        backend.report({ own, 2, 0 });
        backend.report({ own, 8193, 631 });
        // After the failure nothing more of this dial is reported.
        backend.report({ own, 8192, 0 });
    });
    service.join();
    ASSERT_TRUE(waitFor([&] { return seen.size() >= 3; }));
    pumpFor(50);

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].state, 0);
    EXPECT_EQ(seen[0].text, "Opening port");
    EXPECT_EQ(seen[1].state, 2);
    EXPECT_EQ(seen[1].text, "Connecting device");
    EXPECT_EQ(seen[2].error, 631);
    EXPECT_EQ(seen[2].text, "The port was disconnected by the user.");
    for (const Seen &s : seen)
        EXPECT_TRUE(s.mainThread);
}

} // namespace vesk::test
