#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vesk {

// One rule of a list, ready for matching on upper-cased Shift_JIS text.
//  - "*": the catch-all; it never matches by itself.
//  - "X-word" (any case): "word" is searched in the X-Mailer value, and the
//    whole rule in the list's text as well.
//  - anything else: searched in the list's text.
class DistributionRule final
{
public:
    explicit DistributionRule(const QString &rule);

    bool isCatchAll() const { return m_catchAll; }

    // Both texts upper-cased Shift_JIS (shiftjis::toUpper).
    bool matches(QByteArrayView upperText, QByteArrayView upperMailer) const;

private:
    bool m_catchAll = false;
    // Empty when the rule has no Shift_JIS form: such text never occurs in mail.
    QByteArray m_whole;
    QByteArray m_mailerPart; // only for "X-" rules
};

} // namespace vesk
