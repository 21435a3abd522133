#pragma once

#include "support/TestPaths.h"
#include "support/WaitFor.h"

#include <QDBusConnection>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vesk::test {

// A message bus of the test's own, so that no service of the machine
// answers, and on it a stand-in service: a Python script of tests/ that
// takes the bus address, prints "ready" and then one JSON line per call.
class PrivateBus final
{
public:
    PrivateBus()
    {
        const QString config = m_dir.filePath("bus.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        // Python's D-Bus binding needs the eavesdrop rules to get through its
        // handshake.
        file.write(
            QStringLiteral("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                           "<auth>EXTERNAL</auth><policy context=\"default\">"
                           "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                           "<allow own=\"*\"/></policy></busconfig>")
                .arg(m_dir.path())
                .toUtf8());
        file.close();
        m_daemon.start("dbus-daemon", { "--config-file=" + config, "--nofork", "--print-address" });
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        QDBusConnection::disconnectFromBus(ConnectionName);
        for (QProcess *process : { &m_service, &m_daemon }) {
            process->terminate();
            process->waitForFinished(5000);
        }
    }
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    const QString &address() const { return m_address; }
    // The program's connection to the bus.
    QDBusConnection connection() const { return QDBusConnection::connectToBus(m_address, ConnectionName); }
    // Starts tests/<script> with the bus address and `arguments`; true once it is ready.
    bool startService(const QString &script, const QStringList &arguments = {})
    {
        m_service.start(
            systemPython(), QStringList { sourceDir() + "/tests/" + script, m_address } + arguments);
        return waitFor([this] { return m_service.canReadLine(); }) && m_service.readLine() == "ready\n";
    }
    // The next call the service was given; empty if none came.
    QJsonObject nextCall()
    {
        if (!waitFor([this] { return m_service.canReadLine(); }))
            return {};
        return QJsonDocument::fromJson(m_service.readLine()).object();
    }

private:
    static inline const QString ConnectionName = QStringLiteral("private-bus-test");

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QProcess m_service;
    QString m_address;
};

} // namespace vesk::test
