#include "platform/Messenger.h"

#include <cstdio>

namespace vesk {

void StderrMessenger::message(const QString &text)
{
    // One message, one line: the box's line breaks become blanks.
    QString flat = text;
    flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray line = flat.toUtf8();
    std::fprintf(stderr, "vesk: %s\n", line.constData());
    std::fflush(stderr);
}

void StderrMessenger::beep()
{
}

std::optional<Messenger::Answer> StderrMessenger::ask(const QString &title, const QString &text, Buttons buttons)
{
    Q_UNUSED(buttons);
    message(title + QStringLiteral(": ") + text);
    return std::nullopt;
}

} // namespace vesk
