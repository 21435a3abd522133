#include "support/AuthServerPeer.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QJsonDocument>

namespace vesk::test {

AuthServerPeer::AuthServerPeer(Options options)
    : m_options(std::move(options))
{ }

AuthServerPeer::~AuthServerPeer()
{
    if (m_process) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
}

bool AuthServerPeer::start(QString *error)
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(systemPython(),
        { sourceDir() + QStringLiteral("/tests/support/peers/auth_server.py"), QStringLiteral("--dir"),
            m_dir->path(), QStringLiteral("--expires"), QString::number(m_options.expiresSeconds),
            QStringLiteral("--token-length"), QString::number(m_options.tokenLength),
            QStringLiteral("--refresh-token"), m_options.refreshToken, QStringLiteral("--user"),
            m_options.user });
    if (m_process->waitForReadyRead(20000)) {
        const QByteArray line = m_process->readLine().trimmed();
        if (line.startsWith("PORT "))
            m_port = quint16(line.mid(5).toUInt());
    }
    if (m_port == 0 && error)
        *error = QStringLiteral("the authorization server did not start");
    return m_port != 0;
}

QString AuthServerPeer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void AuthServerPeer::revoke(const QString &accessToken)
{
    QProcess::execute(QStringLiteral("curl"),
        { QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
            QStringLiteral("--data-urlencode"), QStringLiteral("token=") + accessToken,
            url(QStringLiteral("/revoke")) });
}

QList<QJsonObject> AuthServerPeer::requests() const
{
    QList<QJsonObject> entries;
    QFile file(m_dir->path() + QStringLiteral("/log.jsonl"));
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.isEmpty())
            entries << QJsonDocument::fromJson(line).object();
    }
    return entries;
}

} // namespace vesk::test
