#pragma once

#include <QString>

namespace vesk {

// One launcher entry as the program uses it: the stored fields trimmed, the
// working folder filled in, the macro cut to its length.
struct LauncherEntry
{
    QString caption; // the menu's text
    QString program;
    QString switches;
    QString folder; // the program's own folder when none was given
    QString macro;
    QString shortCut; // the menu's short cut: the hot key's text when there is one
    QString hotKey;
    int hotKeyId = 0; // 0: no hot key
    bool withVesk = false; // started with the program
    bool selfMenu = false; // its hot key opens this program's menu

    bool hasHotKey() const { return !hotKey.isEmpty(); }
};

} // namespace vesk
