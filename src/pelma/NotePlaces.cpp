#include "pelma/NotePlaces.h"

#include "platform/Paths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vesk {

NotePlaces NotePlaces::standard()
{
    NotePlaces places;
    places.program = QCoreApplication::applicationDirPath() + QStringLiteral("/pelma");
    // Beside Vesk's own data folder ($XDG_DATA_HOME/Dorvane/Vesk).
    places.notes = QFileInfo(paths::dataDir()).absolutePath() + QStringLiteral("/Pelma");
    places.socketFolder = paths::runtimeDir() + QStringLiteral("/pelma");
    places.workingDir = paths::dataDir();
    return places;
}

} // namespace vesk
