#include "VeskProcess.h"

#include "support/TestPaths.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFile>

namespace vesk::test {

VeskHome::VeskHome()
{
    QDir().mkpath(runtimeDir());
    QFile::setPermissions(runtimeDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString VeskHome::program()
{
    return binaryDir() + "/src/vesk";
}

QProcessEnvironment VeskHome::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configDir());
    env.insert("XDG_DATA_HOME", m_dir.path() + "/data");
    env.insert("XDG_RUNTIME_DIR", runtimeDir());
    env.insert("HOME", m_dir.path());
    return env;
}

void VeskHome::writeIni(const QString &text) const
{
    QDir().mkpath(configDir() + "/Dorvane");
    QFile file(iniPath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text.toUtf8());
}

QStringList VeskHome::files(const QString &box) const
{
    return QDir(dataDir() + "/" + box).entryList({"*.ID"}, QDir::Files, QDir::Name);
}

int VeskHome::count(const QString &box) const
{
    return int(files(box).size());
}

std::unique_ptr<QProcess> VeskHome::start(const QStringList &args) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment());
    process->setStandardErrorFile(m_dir.path() + "/vesk.log", QIODevice::Append);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program(), args);
    process->waitForStarted(10000);
    return process;
}

int VeskHome::run(const QStringList &args, QString *out, QString *err, int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program(), args);
    if (!process.waitForStarted(10000))
        return -1;
    waitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
        return -2;
    }
    if (out)
        *out = QString::fromUtf8(process.readAllStandardOutput());
    if (err)
        *err = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -3;
}

QString VeskHome::log() const
{
    QFile file(m_dir.path() + "/vesk.log");
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

} // namespace vesk::test
