#include "dialup/dbus/LogindPowerOff.h"

#include "platform/EventPump.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QProcess>

namespace vesk {
namespace {

// How long the system is given to take the request.
constexpr int WaitMs = 10000;
constexpr int PauseMs = 10;

// A command still running is the shutdown under way: killing it with its
// QProcess could cancel it, so it is let go and cleans up once it ends.
void letGo(std::unique_ptr<QProcess> process)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    QProcess *running = process.release();
    QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
}

} // namespace

LogindPowerOff::LogindPowerOff(EventPump &pump, const QDBusConnection &bus, QStringList fallback)
    : m_pump(pump)
    , m_bus(bus)
    , m_fallback(std::move(fallback))
{ }

LogindPowerOff::~LogindPowerOff()
{
    letGo(std::move(m_process));
}

bool LogindPowerOff::powerOff(QString *reason)
{
    QString first;
    if (throughLogind(&first))
        return true;
    QString second;
    if (throughCommand(&second))
        return true;
    *reason = first.isEmpty() ? second : first + QStringLiteral("\r\n") + second;
    return false;
}

bool LogindPowerOff::throughLogind(QString *reason)
{
    if (!m_bus.isConnected()) {
        *reason = QStringLiteral("no system bus");
        return false;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("PowerOff"));
    // Interactive: the desktop may ask the user to authorise it.
    message.setArguments({ true });
    QDBusPendingCall pending = m_bus.asyncCall(message, WaitMs);
    m_pump.waitUntil([&] { return pending.isFinished(); }, WaitMs / PauseMs + 1, PauseMs);
    if (!pending.isFinished()) {
        *reason = QStringLiteral("logind did not answer");
        return false;
    }
    if (pending.isError()) {
        *reason = pending.error().message();
        return false;
    }
    return true;
}

bool LogindPowerOff::throughCommand(QString *reason)
{
    if (m_fallback.isEmpty())
        return false;
    letGo(std::move(m_process));
    m_process = std::make_unique<QProcess>();
    QProcess &process = *m_process;
    process.start(m_fallback.constFirst(), m_fallback.mid(1));
    m_pump.waitUntil([&] { return process.state() == QProcess::NotRunning; }, WaitMs / PauseMs + 1, PauseMs);
    // Still running after the wait: the shutdown is under way.
    if (process.state() != QProcess::NotRunning)
        return true;
    if (process.error() == QProcess::FailedToStart) {
        *reason = m_fallback.join(QLatin1Char(' ')) + QStringLiteral(": ") + process.errorString();
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString output = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        *reason = m_fallback.join(QLatin1Char(' ')) + QStringLiteral(": ")
            + (output.isEmpty() ? QStringLiteral("exit %1").arg(process.exitCode()) : output);
        return false;
    }
    return true;
}

} // namespace vesk
