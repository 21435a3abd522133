#include "launcher/LauncherTable.h"

#include "launcher/LuncherText.h"
#include "launcher/ShortCut.h"

namespace vesk {

LauncherEntry LauncherTable::entryOf(const QStringList &fields)
{
    QStringList f = fields;
    while (f.size() < luncher::FieldCount)
        f << QString();
    LauncherEntry e;
    e.caption = f.at(0).trimmed();
    e.program = f.at(1).trimmed();
    e.switches = f.at(2).trimmed();
    e.folder = f.at(3).trimmed();
    if (e.folder.isEmpty())
        e.folder = folderOf(e.program);
    e.macro = f.at(4).left(luncher::MacroRefused - 1).trimmed();
    e.shortCut = f.at(5).trimmed();
    e.hotKey = f.at(6).trimmed();
    if (e.hasHotKey()) {
        e.shortCut = e.hotKey;
        // An unknown key name still counts as a hot key: registering it
        // fails and says so.
        if (const std::optional<ShortCut> cut = ShortCut::fromText(e.hotKey))
            e.hotKeyId = cut->hotKeyId();
    }
    const QString upper = e.caption.toUpper();
    e.withVesk = upper.contains(QLatin1String("WITHVESK"));
    e.selfMenu = upper.contains(QLatin1String("SELFMENU"));
    return e;
}

LauncherTable LauncherTable::fromLines(const QStringList &lines)
{
    LauncherTable table;
    for (const QString &line : lines) {
        const QStringList f = luncher::fieldsOfLine(line);
        const int key = takenFunctionKey(f.at(5), f.at(6));
        if (key >= 1 && key <= 12 && !table.m_takenKeys.contains(key))
            table.m_takenKeys << key;
        table.m_entries << entryOf(f);
    }
    return table;
}

const LauncherEntry *LauncherTable::entry(int index) const
{
    return index >= 0 && index < m_entries.size() ? &m_entries.at(index) : nullptr;
}

int LauncherTable::indexOf(const QString &caption) const
{
    const QString wanted = luncher::displayName(caption.trimmed());
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).caption == wanted)
            return i;
    }
    return -1;
}

QStringList LauncherTable::captions() const
{
    QStringList list;
    for (const LauncherEntry &e : m_entries)
        list << e.caption;
    return list;
}

QString LauncherTable::folderOf(const QString &program)
{
    const qsizetype slash = program.lastIndexOf(u'/');
    return slash < 0 ? QString() : program.left(qMax<qsizetype>(slash, 1));
}

} // namespace vesk
