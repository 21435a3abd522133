#pragma once

#include "server/ReplySink.h"

#include <QPointer>

namespace vesk {

class TKTcpChildSock;

// A local dialogue's output onto its child connection; does nothing once the
// connection is gone.
class ChildSink final : public ReplySink
{
public:
    explicit ChildSink(TKTcpChildSock *child);

    void send(const QByteArray &bytes) override;
    void closeAfterSend() override;
    void close() override;
    QByteArray receive() override;
    qsizetype queuedBytes() const override;
    void detach() { m_child = nullptr; }

private:
    QPointer<TKTcpChildSock> m_child;
};

} // namespace vesk
