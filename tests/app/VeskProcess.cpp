#include "VeskProcess.h"

#include "support/RunProgram.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <gtest/gtest.h>

namespace vesk::test {

VeskHome::VeskHome()
{
    QDir().mkpath(runtimeDir());
    QFile::setPermissions(
        runtimeDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

VeskHome::~VeskHome()
{
    if (!::testing::Test::HasFailure())
        return;
    const QString text = log();
    if (!text.isEmpty())
        std::fprintf(stderr, "--- vesk.log ---\n%s\n--- end of vesk.log ---\n", qPrintable(text.right(20000)));
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
    for (const QString &name : m_env.keys())
        env.insert(name, m_env.value(name));
    return env;
}

void VeskHome::writeIni(const QString &text) const
{
    writeFile(iniPath(), text.toUtf8());
}

QStringList VeskHome::files(const QString &box) const
{
    return QDir(dataDir() + "/" + box).entryList({ "*.ID" }, QDir::Files, QDir::Name);
}

int VeskHome::count(const QString &box) const
{
    return int(files(box).size());
}

std::unique_ptr<QProcess> VeskHome::start(const QStringList &args, const QString &display) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = environment();
    if (!display.isEmpty()) {
        env.insert("DISPLAY", display);
        env.remove("QT_QPA_PLATFORM");
    }
    process->setProcessEnvironment(env);
    process->setStandardErrorFile(m_dir.path() + "/vesk.log", QIODevice::Append);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(program(), args);
    process->waitForStarted(10000);
    return process;
}

int VeskHome::run(const QStringList &args, QString *out, QString *err, int timeoutMs) const
{
    const ProgramResult result = runProgram(program(), args, environment(), timeoutMs);
    if (out)
        *out = QString::fromUtf8(result.out);
    if (err)
        *err = QString::fromUtf8(result.err);
    return result.exitCode;
}

QString VeskHome::log() const
{
    return QString::fromUtf8(fileBytes(m_dir.path() + "/vesk.log", {}));
}

} // namespace vesk::test
