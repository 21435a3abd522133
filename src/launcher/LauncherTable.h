#pragma once

#include "launcher/LauncherEntry.h"

#include <QList>
#include <QStringList>

namespace vesk {

// The launcher as the menu and the hot keys see it, built from the lines of
// section Luncher at every settings load.
class LauncherTable final
{
public:
    LauncherTable() = default;
    static LauncherTable fromLines(const QStringList &lines);
    // An entry from its seven fields as stored (or as the editor holds them).
    static LauncherEntry entryOf(const QStringList &fields);

    const QList<LauncherEntry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    const LauncherEntry *entry(int index) const;
    // The first entry with this caption, compared as the menu shows it.
    int indexOf(const QString &caption) const;
    QStringList captions() const;
    // The built-in function keys (1-12) that entries took away.
    QList<int> takenFunctionKeys() const { return m_takenKeys; }

    // A program's own folder: the path without its file name; empty for a
    // bare name found on the PATH.
    static QString folderOf(const QString &program);

private:
    QList<LauncherEntry> m_entries;
    QList<int> m_takenKeys;
};

} // namespace vesk
