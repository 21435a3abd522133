#pragma once

#include "net/ByteChannel.h"

#include <functional>
#include <memory>

namespace vesk {

class EventPump;
class TimerFactory;
class HostResolver;

// What the socket classes need from their surroundings; empty members mean
// the real thing (Qt event loop, Qt timers, system resolver, plain channel).
struct NetServices
{
    EventPump *pump = nullptr;
    TimerFactory *timers = nullptr;
    HostResolver *resolver = nullptr;
    // Makes the byte channel of a connected socket.
    std::function<std::unique_ptr<ByteChannel>(int handle)> channelFactory {};

    EventPump &eventPump() const;
    TimerFactory &timerFactory() const;
    std::unique_ptr<ByteChannel> makeChannel(int handle) const;
};

} // namespace vesk
