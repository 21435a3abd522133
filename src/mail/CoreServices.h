#pragma once

#include "net/NetServices.h"

namespace vesk {

class Clock;
class EventPump;
class MessageStore;
class Messenger;
class ProtocolMonitor;
class TimerFactory;
struct SessionState;

// The services of the running program that the controller, the provider
// session and the local servers share, owned by the program's entry (or a
// test). Everything runs on the one thread.
struct CoreServices
{
    const Clock &clock;
    TimerFactory &timers;
    EventPump &pump;
    Messenger &messenger;
    MessageStore &store;
    SessionState &state;
    ProtocolMonitor &monitor;
    NetServices net = {};
};

} // namespace vesk
