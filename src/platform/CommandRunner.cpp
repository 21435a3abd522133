#include "platform/CommandRunner.h"

#include <QProcess>
#include <QTimer>

#include <algorithm>

#include <signal.h>
#include <unistd.h>

namespace vesk {

struct QtCommandRunner::Running
{
    QProcess process;
    QByteArray output;
    qint64 limit = 0;
    Done done;
};

QtCommandRunner::QtCommandRunner() = default;

QtCommandRunner::~QtCommandRunner()
{
    stop();
}

void QtCommandRunner::run(const QString &command, qint64 limit, Done done)
{
    stop();
    m_running = std::make_unique<Running>();
    Running *running = m_running.get();
    running->limit = limit;
    running->done = std::move(done);
    QProcess &process = running->process;
    // What it says on standard error is its own business (a terminal's, a
    // journal's); only the exit status counts.
    process.setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(&process, &QProcess::readyReadStandardOutput, [running] {
        const QByteArray more = running->process.readAllStandardOutput();
        running->output += more.left(std::max<qint64>(0, running->limit - running->output.size()));
    });
    const auto finish = [this, running](Result result) {
        result.output = running->output;
        Done done = std::move(running->done);
        // Deleted once back on the loop: this runs inside one of the
        // process's own signals.
        running->process.disconnect();
        QTimer::singleShot(0, [gone = m_running.release()] { delete gone; });
        if (done)
            done(result);
    };
    QObject::connect(&process, &QProcess::finished, [running, finish](int code, QProcess::ExitStatus status) {
        running->output += running->process.readAllStandardOutput().left(
            std::max<qint64>(0, running->limit - running->output.size()));
        if (status != QProcess::NormalExit)
            finish({ false, {}, QStringLiteral("コマンドが異常終了しました") });
        else if (code != 0)
            finish({ false, {}, QStringLiteral("コマンドが終了コード %1 で終わりました").arg(code) });
        else
            finish({ true, {}, {} });
    });
    QObject::connect(&process, &QProcess::errorOccurred, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish({ false, {}, QStringLiteral("コマンドを起動できません") });
    });
    process.setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that stopping it stops what the shell started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start(QStringLiteral("/bin/sh"), { QStringLiteral("-c"), command });
}

void QtCommandRunner::stop()
{
    if (!m_running)
        return;
    m_running->process.disconnect();
    if (const qint64 pid = m_running->process.processId(); pid > 0)
        ::kill(pid_t(-pid), SIGKILL);
    m_running->process.kill();
    m_running->process.waitForFinished(1000);
    m_running.reset();
}

} // namespace vesk
