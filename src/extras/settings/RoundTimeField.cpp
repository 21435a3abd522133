#include "extras/settings/RoundTimeField.h"

#include "platform/Messenger.h"
#include "settings/NumberText.h"

#include <algorithm>
#include <limits>

namespace vesk {

RoundTimeField::RoundTimeField(Messenger &messenger)
    : m_messenger(messenger)
{ }

int RoundTimeField::number() const
{
    return parseDecimal(m_text.trimmed()).value_or(0);
}

void RoundTimeField::setText(const QString &text)
{
    m_text = text;
    if (number() == 0) {
        m_messenger.beep();
        m_text = QString::number(Least);
    }
}

void RoundTimeField::up()
{
    const std::optional<int> value = parseDecimal(m_text.trimmed());
    if (!value) {
        m_text = QString::number(Fallback);
        return;
    }
    if (*value <= std::numeric_limits<int>::max() - Step)
        m_text = QString::number(*value + Step);
}

void RoundTimeField::down()
{
    const int value = number();
    if (value >= Least + Step) {
        m_text = QString::number(value - Step);
        return;
    }
    m_text = QString::number(Least);
    m_messenger.beep();
}

int RoundTimeField::minutes() const
{
    const std::optional<int> value = parseDecimal(m_text.trimmed());
    if (!value)
        return Fallback;
    // Typed as "3" or "-10": a shorter interval than the buttons allow would
    // check the provider every minute, or never.
    return std::max(*value, Least);
}

} // namespace vesk
