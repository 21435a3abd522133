#pragma once

#include "settings/IniSection.h"

#include <QStringList>

namespace vesk {

// The whole settings content: sections in store order, each with its values in
// store order. Section names, like value names, are matched without regard to
// case.
class IniDocument
{
public:
    const QList<IniSection> &sections() const { return m_sections; }
    const IniSection *section(const QString &name) const;

    const QString *value(const QString &section, const QString &name) const;
    // Creates the section at the end when missing. Returns whether anything
    // changed.
    bool setValue(const QString &section, const QString &name, const QString &value);
    bool removeValue(const QString &section, const QString &name);
    bool removeSection(const QString &name);
    // Makes sure the section exists (an empty section survives a save).
    IniSection &ensureSection(const QString &name);

    bool operator==(const IniDocument &other) const { return m_sections == other.m_sections; }

private:
    void reindex();

    QList<IniSection> m_sections;
    QHash<QString, qsizetype> m_index; // case-folded name -> position
};

} // namespace vesk
