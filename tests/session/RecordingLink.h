#pragma once

#include "session/ClientLink.h"

#include <QByteArray>
#include <QList>

namespace vesk::test {

// Takes what the dialogue sends and keeps it, one entry per CR LF line.
class RecordingLink final : public ClientLink
{
public:
    void send(const QByteArray &bytes) override
    {
        raw += bytes;
        pending += bytes;
        qsizetype end;
        while ((end = pending.indexOf("\r\n")) >= 0) {
            lines << pending.left(end);
            pending.remove(0, end + 2);
        }
    }
    bool sendPending() const override { return false; }
    void flush() override { ++flushes; }
    bool startTls() override
    {
        ++tlsStarts;
        encrypted = true;
        return true;
    }
    bool secure() const override { return encrypted; }
    void restartWatchdog() override
    {
        watchdogRunning = true;
        ++watchdogRestarts;
    }
    void stopWatchdog() override { watchdogRunning = false; }
    void clientOff() override
    {
        ++clientOffs;
        watchdogRunning = false;
        if (onClientOff)
            onClientOff();
    }
    QString localHostName() const override { return QStringLiteral("vesk-host"); }

    // Lines sent since the last call.
    QList<QByteArray> take()
    {
        QList<QByteArray> out = lines.mid(taken);
        taken = lines.size();
        return out;
    }

    QByteArray raw;
    QByteArray pending;
    QList<QByteArray> lines;
    qsizetype taken = 0;
    int flushes = 0;
    int tlsStarts = 0;
    bool encrypted = false;
    int clientOffs = 0;
    int watchdogRestarts = 0;
    bool watchdogRunning = false;
    std::function<void()> onClientOff;
};

} // namespace vesk::test
