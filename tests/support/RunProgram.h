#pragma once

#include "support/WaitFor.h"

#include <QProcess>

namespace vesk::test {

struct ProgramResult
{
    int exitCode = -1; // -1: did not start, did not end in time, or crashed
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end while the event loop keeps serving (servers of
// this process answer it meanwhile).
inline ProgramResult runProgram(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(), int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!waitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return {};
    }
    const bool normal
        = process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart;
    return { normal ? process.exitCode() : -1, process.readAllStandardOutput(),
        process.readAllStandardError() };
}

} // namespace vesk::test
