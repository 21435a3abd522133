#include "platform/ProcessLauncher.h"

#include "platform/ProcessTable.h"

#include <QProcess>

namespace vesk {

std::optional<StartedProgram> QtProcessLauncher::start(
    const QString &program, const QString &switches, const QString &folder)
{
    if (program.trimmed().isEmpty())
        return std::nullopt;
    qint64 pid = 0;
    if (!QProcess::startDetached(program, QProcess::splitCommand(switches), folder, &pid) || pid <= 0)
        return std::nullopt;
    return StartedProgram { pid, processes::startTicks(pid).value_or(0) };
}

bool QtProcessLauncher::running(const StartedProgram &program) const
{
    const std::optional<quint64> ticks = processes::startTicks(program.pid);
    return ticks && program.startTicks != 0 && *ticks == program.startTicks;
}

} // namespace vesk
