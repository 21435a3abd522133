#include "store/rules/DistributionRule.h"

#include "store/rules/RuleLists.h"
#include "store/rules/ShiftJisText.h"

namespace vesk {

DistributionRule::DistributionRule(const QString &rule)
{
    const QString trimmed = trimRule(rule);
    if (trimmed == u"*") {
        m_catchAll = true;
        return;
    }
    m_whole = shiftjis::toUpper(shiftjis::fromUnicode(trimmed).value_or(QByteArray()));
    if (m_whole.startsWith("X-"))
        m_mailerPart = m_whole.mid(2);
}

bool DistributionRule::matches(QByteArrayView upperText, QByteArrayView upperMailer) const
{
    if (m_catchAll)
        return false;
    return shiftjis::contains(upperMailer, m_mailerPart) || shiftjis::contains(upperText, m_whole);
}

} // namespace vesk
