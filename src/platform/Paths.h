#pragma once

#include <QString>

namespace vesk::paths {

// $XDG_CONFIG_HOME/Dorvane/Vesk.ini (default ~/.config/Dorvane/Vesk.ini).
QString settingsFile();

// $XDG_CONFIG_HOME (default ~/.config).
QString configHome();

// $XDG_DATA_HOME/Dorvane/Vesk (default ~/.local/share/Dorvane/Vesk): the
// program's folder, made current at start; the box folders live in it.
QString dataDir();

// $XDG_RUNTIME_DIR/vesk (falls back to a per-user folder under /tmp).
QString runtimeDir();

// Where files shipped with the program (holidays, pictures, help) are found:
// <prefix>/share/vesk next to an installed binary, else the source tree's
// resources folder for a build-tree binary.
QString shippedDir();

} // namespace vesk::paths
