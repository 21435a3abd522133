#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace vesk::test {

// The built `vesk` program run with private XDG folders, as a user would run
// it, for the end-to-end tests.
class VeskHome final
{
public:
    VeskHome();
    // Shows the program's own log when the test has failed.
    ~VeskHome();
    QString configDir() const { return m_dir.path() + "/config"; }
    QString dataDir() const { return m_dir.path() + "/data/Dorvane/Vesk"; }
    QString runtimeDir() const { return m_dir.path() + "/run"; }
    QString iniPath() const { return configDir() + "/Dorvane/Vesk.ini"; }
    QProcessEnvironment environment() const;
    // Before start: one more variable for the program.
    void setEnv(const QString &name, const QString &value) { m_env.insert(name, value); }

    void writeIni(const QString &text) const;
    int count(const QString &box) const;
    QStringList files(const QString &box) const;

    // Starts `vesk ARGS` in the background, on the X server `display` if
    // one is given; its standard error goes to a file.
    std::unique_ptr<QProcess> start(const QStringList &args, const QString &display = QString()) const;
    // Runs `vesk ARGS` to its end, pumping the event loop; returns the exit code.
    int run(
        const QStringList &args, QString *out = nullptr, QString *err = nullptr, int timeoutMs = 60000) const;
    QString log() const;

    static QString program();

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};

} // namespace vesk::test
