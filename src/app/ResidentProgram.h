#pragma once

#include <QString>

namespace vesk {

class DialUpBackend;
class FrontEnd;
class PowerOff;
class SecretStore;

// The platform's connection service and power-off, made by the program's
// entry (they talk to system services); without them the program runs as on
// a LAN and cannot power off.
struct DialUpParts
{
    DialUpBackend *backend = nullptr;
    PowerOff *powerOff = nullptr;
};

// The resident program: one copy per user, its mail function wired from the
// real parts, requests of later starts (check, quit, status) answered, until
// the end command or a termination signal ends it.
class ResidentProgram final
{
public:
    // Runs the event loop; returns the exit status. Without a front end the
    // program runs headless; without `secrets` the passwords stay in the
    // settings file.
    static int run(
        FrontEnd *frontEnd = nullptr, const DialUpParts &dialUp = {}, SecretStore *secrets = nullptr);

    // A later start asks the running copy. Returns the exit status and prints
    // the reply: 0 done, 1 no copy runs or the request failed.
    static int request(const QString &command);
};

} // namespace vesk
