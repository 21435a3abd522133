#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vesk {

// A program the system started: its process id, and when that process
// started, which tells it apart from a later process that gets the same id.
struct StartedProgram
{
    qint64 pid = 0;
    quint64 startTicks = 0;
    bool operator==(const StartedProgram &) const = default;
};

// Starts the user's programs (mailers, launcher entries).
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    // Starts `program` (a path, or a name found on the PATH) with the
    // arguments of `switches`, split as a shell would, in `folder` (the
    // current folder when empty). Nothing when it cannot be started.
    virtual std::optional<StartedProgram> start(
        const QString &program, const QString &switches, const QString &folder)
        = 0;
    // That very process still runs.
    virtual bool running(const StartedProgram &program) const = 0;
};

// Detached processes, which live on when the program ends.
class QtProcessLauncher final : public ProcessLauncher
{
public:
    std::optional<StartedProgram> start(
        const QString &program, const QString &switches, const QString &folder) override;
    bool running(const StartedProgram &program) const override;
};

} // namespace vesk
