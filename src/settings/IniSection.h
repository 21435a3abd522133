#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace vesk {

// One name=value pair of a settings section.
struct IniEntry
{
    QString name;
    QString value;

    bool operator==(const IniEntry &other) const = default;
};

// The values of one section in store order. Names are matched without regard
// to case, as the registry does; a name keeps the spelling it was first
// stored with. From IndexFrom values on, an index keeps lookups
// constant-time even for a huge file.
class IniSection
{
public:
    explicit IniSection(QString name = {})
        : m_name(std::move(name))
    { }

    const QString &name() const { return m_name; }
    const QList<IniEntry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }

    const QString *find(const QString &name) const;
    // Replaces the value in place or appends a new entry at the end. Returns
    // whether anything changed.
    bool set(const QString &name, const QString &value);
    bool remove(const QString &name);

    bool operator==(const IniSection &other) const;

    static constexpr qsizetype IndexFrom = 32;

private:
    qsizetype position(const QString &name) const;
    void reindex();

    QString m_name;
    QList<IniEntry> m_entries;
    QHash<QString, qsizetype> m_index; // case-folded name -> position
};

} // namespace vesk
