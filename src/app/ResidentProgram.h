#pragma once

#include <QString>

namespace vesk {

// The resident program: one copy per user, its mail function wired from the
// real parts, requests of later starts (check, quit, status) answered, until
// the end command or a termination signal ends it.
class ResidentProgram final
{
public:
    struct Options
    {
        bool headless = true;
    };
    // Runs the event loop; returns the exit status.
    static int run(const Options &options);

    // A later start asks the running copy. Returns the exit status and prints
    // the reply: 0 done, 1 no copy runs or the request failed.
    static int request(const QString &command);
};

} // namespace vesk
