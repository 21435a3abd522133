#pragma once

#include <QString>

namespace vesk {

class Clock;
class Controller;
class MessageStore;
class Messenger;
class ProtocolMonitor;
class ProviderTokens;
class SettingsStore;

// The parts of the running program that windows may need besides the
// controller.
struct ProgramParts
{
    Controller &controller;
    ProtocolMonitor &monitor;
    SettingsStore &settingsStore;
    MessageStore &store;
    const Clock &clock;
    QString dataDir;
    // The provider's OAuth 2.0 tokens: the settings dialog signs in there.
    ProviderTokens *tokens = nullptr;
};

// What the resident program is shown with: the windows, or nothing (the
// headless run writes its messages to standard error instead).
class FrontEnd
{
public:
    virtual ~FrontEnd() = default;
    // The message boxes; asked for before anything else is made.
    virtual Messenger &messenger() = 0;
    // The windows, once the program's parts exist and before they start.
    virtual void attach(const ProgramParts &parts) = 0;
    // A second start of the program: bring the windows to the front.
    virtual void activate() {}
};

} // namespace vesk
