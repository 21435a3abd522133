#pragma once

#include "server/ReplySink.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace vesk::test {

// Keeps what a dialogue sent and whether it asked to close.
class RecordingSink final : public ReplySink
{
public:
    void send(const QByteArray &bytes) override
    {
        output += bytes;
        ++sends;
    }
    void closeAfterSend() override { closeAfterSendCalled = true; }
    void close() override { closed = true; }

    // What was sent since the last take.
    QByteArray take() { return std::exchange(output, {}); }

    QByteArray output;
    int sends = 0;
    bool closeAfterSendCalled = false;
    bool closed = false;
};

} // namespace vesk::test
