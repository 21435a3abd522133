#pragma once

#include <QStringList>

#include <array>

namespace vesk {

// The four distribution rule lists. Lists 1 and 2 are matched against the
// recipients' display names, lists 3 and 4 against the sender; lists 1 and 3
// send to mailer 1, lists 2 and 4 to mailer 2. Lists are numbered 1 to 4.
class RuleLists final
{
public:
    static constexpr int Count = 4;
    // What the value names of the stored section can hold per list.
    static constexpr int MaxRules = 100;

    RuleLists() = default;
    // The lists as the settings reader gives them (Settings::DevideList).
    explicit RuleLists(const std::array<QStringList, Count> &lists)
        : m_lists(lists)
    { }
    const std::array<QStringList, Count> &toArray() const { return m_lists; }

    static bool isValidList(int list) { return list >= 1 && list <= Count; }
    // 1 <-> 2, 3 <-> 4: the other mailer's list of the same priority.
    static int partnerOf(int list) { return list % 2 == 1 ? list + 1 : list - 1; }

    // `list` must be 1 to 4.
    const QStringList &list(int list) const { return m_lists[index(list)]; }
    QStringList &list(int list) { return m_lists[index(list)]; }

    bool isEmpty() const;
    void clear();

    bool operator==(const RuleLists &other) const = default;

private:
    static std::size_t index(int list);

    std::array<QStringList, Count> m_lists;
};

// A rule as it is stored: without the blanks around it.
QString trimRule(const QString &rule);

} // namespace vesk
