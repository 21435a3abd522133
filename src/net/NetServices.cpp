#include "net/NetServices.h"

#include "net/PlainSocketChannel.h"
#include "net/QtHostResolver.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"

namespace vesk {

EventPump &NetServices::eventPump() const
{
    return pump ? *pump : QtEventPump::instance();
}

TimerFactory &NetServices::timerFactory() const
{
    return timers ? *timers : QtTimerFactory::instance();
}

std::unique_ptr<ByteChannel> NetServices::makeChannel(int handle) const
{
    if (channelFactory)
        return channelFactory(handle);
    return std::make_unique<PlainSocketChannel>(handle);
}

} // namespace vesk
