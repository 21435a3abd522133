#include "platform/Clock.h"

namespace vesk {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

SystemClock &SystemClock::instance()
{
    static SystemClock clock;
    return clock;
}

} // namespace vesk
