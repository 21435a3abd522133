#include "settings/IniSection.h"

namespace vesk {

const QString *IniSection::find(const QString &name) const
{
    const auto it = m_index.constFind(name.toCaseFolded());
    return it == m_index.cend() ? nullptr : &m_entries.at(*it).value;
}

bool IniSection::set(const QString &name, const QString &value)
{
    const QString key = name.toCaseFolded();
    const auto it = m_index.constFind(key);
    if (it != m_index.cend()) {
        IniEntry &entry = m_entries[*it];
        if (entry.value == value)
            return false;
        entry.value = value;
        return true;
    }
    m_index.insert(key, m_entries.size());
    m_entries.append({ name, value });
    return true;
}

bool IniSection::remove(const QString &name)
{
    const auto it = m_index.constFind(name.toCaseFolded());
    if (it == m_index.cend())
        return false;
    m_entries.removeAt(*it);
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
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_index.insert(m_entries.at(i).name.toCaseFolded(), i);
}

} // namespace vesk
