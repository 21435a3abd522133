#pragma once

namespace vesk {

class EventPump;
class MailHost;
class MessageStore;
class Messenger;
class ProtocolMonitor;
struct SessionConfig;
struct SessionState;

// The parts of the program a provider session works on.
struct SessionContext
{
    SessionState &state;
    const SessionConfig &config;
    const MessageStore &store;
    MailHost &host;
    ProtocolMonitor &monitor;
    Messenger &messenger;
    EventPump &pump;
};

} // namespace vesk
