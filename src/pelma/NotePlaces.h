#pragma once

#include <QString>

namespace vesk {

// Where the sticky-note program "pelma" and its files are; Vesk and the
// note program find each other through these.
struct NotePlaces
{
    QString program; // the executable, beside Vesk's
    QString notes; // $XDG_DATA_HOME/Dorvane/Pelma: the "Pelma*.ID" files
    QString socketFolder; // its lock and local socket, one copy per user
    QString workingDir; // where it is started: Vesk's program folder

    // The places of the installed (or built) programs for this user.
    static NotePlaces standard();
};

} // namespace vesk
