#include "mail/ProtocolMonitor.h"

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
    qsizetype end = out.size();
    while (end > 0) {
        const QChar c = out.at(end - 1);
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            break;
        --end;
    }
    out.truncate(end);
    return out;
}

void ProtocolMonitor::debug(const QString &text) const
{
    if (!m_sink)
        return;
    m_sink(masked(text, m_password));
}

} // namespace vesk
