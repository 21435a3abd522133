#pragma once

#include "platform/EventPump.h"
#include "server/ReplySink.h"
#include "session/MailHost.h"

#include <QEventLoop>
#include <QList>
#include <QStringList>
#include <QTimer>

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

// The controller and windows as the servers see them, recording each call.
class RecordingHost final : public MailHost
{
public:
    bool boxWindowOpen() const override { return boxOpen; }
    void showBoxWindow() override { ++boxShown; }
    void addBoxRow(const QString &list, const QString &fileName) override { added << list + u':' + fileName; }
    void removeBoxRow(const QString &list, const QString &fileName) override
    {
        removed << list + u':' + fileName;
    }
    void remainCheck() override { ++remainChecks; }
    void setDisplayMode(int mode) override { modes << mode; }
    void showDirection(const QString &direction) override { directions << direction; }
    void progress() override { ++progressCalls; }
    void clearNewMailIndication() override { ++newMailCleared; }
    void upLoad(int checkTrigger) override
    {
        upLoads << checkTrigger;
        if (onUpLoad)
            onUpLoad();
    }

    bool boxOpen = false;
    int boxShown = 0;
    QStringList added;
    QStringList removed;
    int remainChecks = 0;
    QList<int> modes;
    QStringList directions;
    int progressCalls = 0;
    int newMailCleared = 0;
    QList<int> upLoads;
    std::function<void()> onUpLoad;
};

// Waits without sleeping: each round only runs the hook.
class ScriptedPump final : public EventPump
{
public:
    bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) override
    {
        for (int i = 0; i < rounds; ++i) {
            if (done())
                return true;
            ++roundsRun;
            totalMs += pauseMs;
            if (eachRound)
                eachRound();
        }
        return done();
    }

    int roundsRun = 0;
    qint64 totalMs = 0;
    std::function<void()> eachRound;
};

// Serves the real event loop briefly each round instead of sleeping.
class QuickPump final : public EventPump
{
public:
    bool waitUntil(const std::function<bool()> &done, int rounds, int) override
    {
        for (int i = 0; i < rounds; ++i) {
            if (done())
                return true;
            QEventLoop loop;
            QTimer::singleShot(1, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return done();
    }
};

} // namespace vesk::test
