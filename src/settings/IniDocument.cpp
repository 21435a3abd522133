#include "settings/IniDocument.h"

namespace vesk {

const IniSection *IniDocument::section(const QString &name) const
{
    const auto it = m_index.constFind(name.toCaseFolded());
    return it == m_index.cend() ? nullptr : &m_sections.at(*it);
}

const QString *IniDocument::value(const QString &section, const QString &name) const
{
    const IniSection *found = this->section(section);
    return found ? found->find(name) : nullptr;
}

bool IniDocument::setValue(const QString &section, const QString &name, const QString &value)
{
    const bool existed = this->section(section) != nullptr;
    const bool changed = ensureSection(section).set(name, value);
    return changed || !existed;
}

bool IniDocument::removeValue(const QString &section, const QString &name)
{
    const auto it = m_index.constFind(section.toCaseFolded());
    return it != m_index.cend() && m_sections[*it].remove(name);
}

bool IniDocument::removeSection(const QString &name)
{
    const auto it = m_index.constFind(name.toCaseFolded());
    if (it == m_index.cend())
        return false;
    m_sections.removeAt(*it);
    reindex();
    return true;
}

IniSection &IniDocument::ensureSection(const QString &name)
{
    const QString key = name.toCaseFolded();
    const auto it = m_index.constFind(key);
    if (it != m_index.cend())
        return m_sections[*it];
    m_index.insert(key, m_sections.size());
    m_sections.append(IniSection(name));
    return m_sections.last();
}

void IniDocument::reindex()
{
    m_index.clear();
    for (qsizetype i = 0; i < m_sections.size(); ++i)
        m_index.insert(m_sections.at(i).name().toCaseFolded(), i);
}

} // namespace vesk
