#pragma once

#include <functional>

namespace vesk {

class Clock;
class EventPump;
class LocalActivity;
class MailHost;
class MailerEnds;
class MessageStore;
class Messenger;
class ProtocolMonitor;
class TimerFactory;
struct ServerConfig;
struct ServerIdentity;
struct SessionState;

// Everything a local dialogue works with, owned elsewhere.
struct ServerEnvironment
{
    const ServerConfig &config;
    const ServerIdentity &identity;
    MessageStore &store;
    SessionState &state;
    MailHost &host;
    ProtocolMonitor &monitor;
    Messenger &messenger;
    EventPump &pump;
    const Clock &clock;
    TimerFactory &timers;
    LocalActivity &activity;
    MailerEnds &ends;
};

} // namespace vesk
