#include "support/SmtpSinkPeer.h"
#include "support/FreePort.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vesk::test {

SmtpSinkPeer::SmtpSinkPeer() = default;

SmtpSinkPeer::~SmtpSinkPeer()
{
    stop();
}

void SmtpSinkPeer::setTls(const QString &mode, const QString &certFile, const QString &keyFile)
{
    m_options << QStringLiteral("--tls") << mode << QStringLiteral("--tls-cert") << certFile
              << QStringLiteral("--tls-key") << keyFile;
}

void SmtpSinkPeer::setAuth(const QString &user, const QString &password)
{
    m_options << QStringLiteral("--auth-user") << user << QStringLiteral("--auth-password") << password;
}

bool SmtpSinkPeer::start(const QString &rejectPattern, QString *error)
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = freePort();
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList args { sourceDir() + QStringLiteral("/tests/support/peers/smtp_sink.py"),
            QStringLiteral("--port"), QString::number(m_port), QStringLiteral("--dir"), m_dir->path() };
        if (!rejectPattern.isEmpty())
            args << QStringLiteral("--reject-rcpt") << rejectPattern;
        args << m_options;
        m_process->start(systemPython(), args);
        if (m_process->waitForReadyRead(20000) && m_process->readLine().startsWith("READY"))
            return true;
        stop();
    }
    if (error)
        *error = QStringLiteral("aiosmtpd did not start");
    return false;
}

void SmtpSinkPeer::stop()
{
    if (!m_process)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(5000)) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
    m_process.reset();
}

QList<SmtpSinkPeer::Received> SmtpSinkPeer::received() const
{
    QList<Received> out;
    QDir dir(m_dir->path());
    for (const QString &name : dir.entryList({ QStringLiteral("*.json") }, QDir::Files, QDir::Name)) {
        QFile json(dir.filePath(name));
        QFile eml(dir.filePath(name.left(name.size() - 5) + QStringLiteral(".eml")));
        if (!json.open(QIODevice::ReadOnly) || !eml.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject object = QJsonDocument::fromJson(json.readAll()).object();
        Received r;
        r.mailFrom = object.value(QStringLiteral("mail_from")).toString();
        for (const QJsonValue &v : object.value(QStringLiteral("rcpt_tos")).toArray())
            r.rcptTos << v.toString();
        r.data = eml.readAll();
        out << r;
    }
    return out;
}

QList<SmtpSinkPeer::AuthAttempt> SmtpSinkPeer::authAttempts() const
{
    QList<AuthAttempt> out;
    QFile log(m_dir->path() + QStringLiteral("/auth.jsonl"));
    if (!log.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : log.readAll().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        if (object.isEmpty())
            continue;
        out << AuthAttempt { object.value(QStringLiteral("mechanism")).toString(),
            object.value(QStringLiteral("login")).toString(), object.value(QStringLiteral("tls")).toBool(),
            object.value(QStringLiteral("success")).toBool() };
    }
    return out;
}

} // namespace vesk::test
