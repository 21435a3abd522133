#include "platform/SingleInstance.h"

#include "platform/PrivateFolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QVariant>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vesk {

namespace {
// Requests and replies are short text lines; anything longer is not ours.
constexpr qint64 kMaxRequest = 4096;
} // namespace

SingleInstance::SingleInstance(QString folder, QObject *parent) : QObject(parent), m_folder(std::move(folder))
{
}

SingleInstance::~SingleInstance()
{
    if (m_server) {
        m_server->close();
        QFile::remove(socketPath());
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleInstance::socketPath() const
{
    return m_folder + QStringLiteral("/instance.sock");
}

bool SingleInstance::acquire(QString *error)
{
    if (m_lockFd >= 0)
        return true;
    // Whoever controls the folder could stand in for the running copy.
    if (!PrivateFolder::ensure(m_folder, error))
        return false;
    const QByteArray lockPath = QFile::encodeName(m_folder + QStringLiteral("/instance.lock"));
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (error)
            *error = QString::fromLocal8Bit(lockPath) + QStringLiteral(" を開けません");
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    // The lock is ours, so a socket file left there belongs to a dead copy.
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(socketPath())) {
        if (error)
            *error = m_server->errorString();
        // Still the only copy; it just cannot take requests.
        return true;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->property("taken").toBool())
                return;
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxRequest)
                    socket->abort();
                return;
            }
            socket->setProperty("taken", true);
            const QString command = QString::fromUtf8(socket->readLine(kMaxRequest)).trimmed();
            QPointer<QLocalSocket> guard(socket);
            Reply reply = [guard](const QString &text, bool finished) {
                if (!guard)
                    return;
                if (!text.isNull())
                    guard->write(text.toUtf8() + '\n');
                if (finished)
                    guard->disconnectFromServer();
            };
            if (m_handler)
                m_handler(command, reply);
            else
                reply(QString(), true);
        });
    }
}

bool SingleInstance::request(const QString &command, QStringList *reply, int timeoutMs) const
{
    // A folder others control may hold anyone's socket: talk to none there.
    if (!PrivateFolder::check(m_folder))
        return false;
    // Nobody holds the lock: no copy runs, so there is nobody to wait for.
    const QByteArray lockPath = QFile::encodeName(m_folder + QStringLiteral("/instance.lock"));
    const int fd = ::open(lockPath.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);
    if (free)
        return false;

    QLocalSocket socket;
    // The running copy may be starting up: try to reach it for a few seconds.
    QDeadlineTimer connectDeadline(5000);
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(1000))
            break;
        if (connectDeadline.hasExpired())
            return false;
        ::usleep(100 * 1000);
    }
    socket.write(command.toUtf8() + '\n');
    socket.flush();
    QByteArray data;
    QDeadlineTimer deadline(timeoutMs);
    while (socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000))))
            data += socket.readAll();
    }
    data += socket.readAll();
    if (socket.state() == QLocalSocket::ConnectedState)
        return false;
    if (reply) {
        reply->clear();
        for (const QByteArray &line : data.split('\n')) {
            if (!line.isEmpty())
                *reply << QString::fromUtf8(line);
        }
    }
    return true;
}

} // namespace vesk
