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
    // Sent ("<PASS ...") or received from a mailer ("PASS ..."): a login's
    // password, and a login's initial response ("AUTH PLAIN <base64>"), are
    // never shown, whatever password they hold.
    const qsizetype command = out.startsWith(QLatin1Char('<')) ? 1 : 0;
    const auto maskFrom = [&out](qsizetype from) {
        if (from > 0 && from < out.size())
            out = out.left(from) + QString(out.size() - from, QLatin1Char('*'));
    };
    if (out.mid(command, 5).compare(QLatin1String("PASS "), Qt::CaseInsensitive) == 0)
        maskFrom(command + 5);
    if (out.mid(command, 5).compare(QLatin1String("AUTH "), Qt::CaseInsensitive) == 0) {
        const qsizetype mechanismEnd = out.indexOf(QLatin1Char(' '), command + 5);
        if (mechanismEnd > 0)
            maskFrom(mechanismEnd + 1);
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
