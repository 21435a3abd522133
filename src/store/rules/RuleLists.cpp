#include "store/rules/RuleLists.h"

namespace vesk {

std::size_t RuleLists::index(int list)
{
    Q_ASSERT(isValidList(list));
    return std::size_t(qBound(1, list, Count) - 1);
}

bool RuleLists::isEmpty() const
{
    for (const QStringList &rules : m_lists) {
        if (!rules.isEmpty())
            return false;
    }
    return true;
}

void RuleLists::clear()
{
    for (QStringList &rules : m_lists)
        rules.clear();
}

QString trimRule(const QString &rule)
{
    // Only what a single-byte blank or control character is: a full-width
    // space is a character of the rule.
    const auto blank = [](QChar c) { return c.unicode() <= 0x20; };
    qsizetype begin = 0;
    qsizetype end = rule.size();
    while (begin < end && blank(rule[begin]))
        ++begin;
    while (end > begin && blank(rule[end - 1]))
        --end;
    return rule.mid(begin, end - begin);
}

} // namespace vesk
