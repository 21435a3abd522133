#include "platform/Messenger.h"

#include <cstdio>

namespace vesk {

void StderrMessenger::message(const QString &text)
{
    const QByteArray line = text.toUtf8();
    std::fprintf(stderr, "vesk: %s\n", line.constData());
    std::fflush(stderr);
}

void StderrMessenger::beep()
{
}

} // namespace vesk
