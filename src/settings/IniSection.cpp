#include "settings/IniSection.h"

namespace vesk {

qsizetype IniSection::position(const QString &name) const
{
    // A small section is scanned: a hash of its own would cost far more than
    // its values (a file of many tiny sections took a hundred times its size).
    if (m_index.isEmpty()) {
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            if (m_entries.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }
    const auto it = m_index.constFind(name.toCaseFolded());
    return it == m_index.cend() ? -1 : *it;
}

const QString *IniSection::find(const QString &name) const
{
    const qsizetype at = position(name);
    return at < 0 ? nullptr : &m_entries.at(at).value;
}

bool IniSection::set(const QString &name, const QString &value)
{
    const qsizetype at = position(name);
    if (at >= 0) {
        IniEntry &entry = m_entries[at];
        if (entry.value == value)
            return false;
        entry.value = value;
        return true;
    }
    m_entries.append({ name, value });
    if (!m_index.isEmpty())
        m_index.insert(name.toCaseFolded(), m_entries.size() - 1);
    else if (m_entries.size() >= IndexFrom)
        reindex();
    return true;
}

bool IniSection::remove(const QString &name)
{
    const qsizetype at = position(name);
    if (at < 0)
        return false;
    m_entries.removeAt(at);
    reindex();
    return true;
}

bool IniSection::operator==(const IniSection &other) const
{
    return m_name == other.m_name && m_entries == other.m_entries;
}

void IniSection::reindex()
{
    m_index.clear();
    if (m_entries.size() < IndexFrom)
        return;
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_index.insert(m_entries.at(i).name.toCaseFolded(), i);
}

} // namespace vesk
