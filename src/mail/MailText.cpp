#include "mail/MailText.h"

namespace vesk {

QByteArray ExtractName(const QByteArray &text)
{
    QByteArray out = text;
    const qsizetype colon = out.indexOf(':');
    if (colon >= 0)
        out = out.mid(colon + 1);
    const qsizetype open = out.indexOf('<');
    if (open >= 0)
        out = out.mid(open + 1);
    const qsizetype close = out.indexOf('>');
    if (close >= 0)
        out.truncate(close);
    return out.trimmed();
}

bool isSafeEnvelopeAddress(const QByteArray &address)
{
    for (const char c : address) {
        if (uchar(c) < 0x20 || uchar(c) == 0x7f)
            return false;
    }
    return true;
}

QString GreetingHostName(const QString &hostName)
{
    QString name = hostName;
    const qsizetype at = name.indexOf(QLatin1Char('@'));
    if (at >= 0)
        name.truncate(at);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("tempolary") : name;
}

} // namespace vesk
