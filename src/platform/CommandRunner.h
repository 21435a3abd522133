#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

namespace vesk {

// Runs a user's command line through the shell and hands back what it
// printed, without blocking the event loop.
class CommandRunner
{
public:
    virtual ~CommandRunner() = default;

    struct Result
    {
        bool ok = false; // started and exited with status 0
        QByteArray output; // standard output, at most the limit given
        QString error; // why not ok, for the user
    };
    using Done = std::function<void(const Result &)>;

    // Starts `command` (/bin/sh -c); `done` is called on the event loop once
    // it has ended. Output beyond `limit` bytes is dropped.
    virtual void run(const QString &command, qint64 limit, Done done) = 0;
    // Kills the running command; its `done` is not called.
    virtual void stop() = 0;
};

// QProcess on the event loop.
class QtCommandRunner final : public CommandRunner
{
public:
    QtCommandRunner();
    ~QtCommandRunner() override;
    void run(const QString &command, qint64 limit, Done done) override;
    void stop() override;

private:
    struct Running;
    std::unique_ptr<Running> m_running;
};

} // namespace vesk
