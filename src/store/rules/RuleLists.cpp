#include "store/rules/RuleLists.h"

#include "platform/Blanks.h"

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
    return Blanks::trimmed(rule).toString();
}

} // namespace vesk
