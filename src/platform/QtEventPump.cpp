#include "platform/EventPump.h"

#include <QEventLoop>
#include <QTimer>

namespace vesk {

bool QtEventPump::waitUntil(const std::function<bool()> &done, int rounds, int pauseMs)
{
    for (int round = 0; round < rounds; ++round) {
        if (done())
            return true;
        QEventLoop loop;
        QTimer::singleShot(pauseMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

QtEventPump &QtEventPump::instance()
{
    static QtEventPump pump;
    return pump;
}

} // namespace vesk
