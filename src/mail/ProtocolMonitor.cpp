#include "mail/ProtocolMonitor.h"

#include "platform/Blanks.h"

namespace vesk {

QString ProtocolMonitor::masked(const QString &text, const QString &password)
{
    QString out = text;
    if (!password.isEmpty()) {
        // Found without regard to case, so that a server echoing the command in
        // another case cannot reveal it; whatever followed the password goes too.
        const QString key = QStringLiteral("PASS ") + password;
        const qsizetype at = text.indexOf(key, 0, Qt::CaseInsensitive);
        if (at >= 0)
            out = text.left(at + 5) + QString(password.size(), QLatin1Char('*'));
    }
    // A login's initial response ("AUTH PLAIN <base64>") holds the password.
    if (out.startsWith(QLatin1String("<AUTH "), Qt::CaseInsensitive)) {
        const qsizetype mechanismEnd = out.indexOf(QLatin1Char(' '), 6);
        if (mechanismEnd > 0 && mechanismEnd + 1 < out.size() && out.at(mechanismEnd + 1) != QLatin1Char('*'))
            out = out.left(mechanismEnd + 1) + QString(out.size() - mechanismEnd - 1, QLatin1Char('*'));
    }
    out.truncate(Blanks::rightTrimmed(out).size());
    return out;
}

void ProtocolMonitor::debug(const QString &text) const
{
    if (!m_sink)
        return;
    m_sink(masked(text, m_password));
}

} // namespace vesk
