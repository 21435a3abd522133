#include "support/DovecotPeer.h"
#include "support/FreePort.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace vesk::test {
namespace {

// Dovecot never lets root own mail; the Debian user "mail" does.
struct MailOwner
{
    uid_t uid;
    gid_t gid;
};

MailOwner mailOwner()
{
    if (::getuid() != 0)
        return {::getuid(), ::getgid()};
    const passwd *pw = ::getpwnam("mail");
    return pw ? MailOwner{pw->pw_uid, pw->pw_gid} : MailOwner{8, 8};
}

void chownTree(const QString &path, MailOwner owner)
{
    (void)::chown(QFile::encodeName(path).constData(), owner.uid, owner.gid);
    QDir dir(path);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir())
            chownTree(entry.filePath(), owner);
        else
            (void)::chown(QFile::encodeName(entry.filePath()).constData(), owner.uid, owner.gid);
    }
}

// A blocking login with a short timeout: proves that the server answers and
// warms up the authentication processes.
bool loginWorks(const QString &host, quint16 port, const QString &user, const QString &password)
{
    const bool ipv6 = host.contains(QLatin1Char(':'));
    const int fd = ::socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    timeval tv{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    sockaddr_storage storage {};
    socklen_t length = sizeof(sockaddr_in);
    if (ipv6) {
        auto *addr = reinterpret_cast<sockaddr_in6 *>(&storage);
        addr->sin6_family = AF_INET6;
        ::inet_pton(AF_INET6, host.toLatin1().constData(), &addr->sin6_addr);
        addr->sin6_port = htons(port);
        length = sizeof(sockaddr_in6);
    } else {
        auto *addr = reinterpret_cast<sockaddr_in *>(&storage);
        addr->sin_family = AF_INET;
        ::inet_pton(AF_INET, host.toLatin1().constData(), &addr->sin_addr);
        addr->sin_port = htons(port);
    }
    bool ok = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&storage), length) == 0) {
        auto readLine = [fd]() {
            QByteArray line;
            char c;
            while (::recv(fd, &c, 1, 0) == 1) {
                line += c;
                if (line.endsWith("\r\n"))
                    break;
            }
            return line;
        };
        auto send = [fd](const QByteArray &text) { (void)::send(fd, text.constData(), text.size(), MSG_NOSIGNAL); };
        if (readLine().startsWith("+OK")) {
            send("USER " + user.toUtf8() + "\r\n");
            if (readLine().startsWith("+OK")) {
                send("PASS " + password.toUtf8() + "\r\n");
                ok = readLine().startsWith("+OK");
                send("QUIT\r\n");
                readLine();
            }
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

DovecotPeer::DovecotPeer(QString user, QString password)
    : m_user(std::move(user)), m_password(std::move(password))
{
}

void DovecotPeer::setTls(const QString &certFile, const QString &keyFile)
{
    m_certFile = certFile;
    m_keyFile = keyFile;
}

DovecotPeer::~DovecotPeer()
{
    stop();
}

QString DovecotPeer::maildir() const
{
    return m_dir->path() + QStringLiteral("/mail/") + m_user;
}

bool DovecotPeer::writeConfig(QString *error)
{
    const QString d = m_dir->path();
    const MailOwner owner = mailOwner();
    const bool root = ::getuid() == 0;
    QString internalUser = QStringLiteral("dovecot");
    QString loginUser = QStringLiteral("dovenull");
    if (!root) {
        const passwd *pw = ::getpwuid(::getuid());
        internalUser = loginUser = QString::fromLocal8Bit(pw ? pw->pw_name : "nobody");
    }
    const QString conf
        = QStringLiteral("base_dir = %1/run\n"
                         "state_dir = %1/state\n"
                         "log_path = %1/dovecot.log\n"
                         "listen = %7\n"
                         "protocols = pop3\n"
                         "%8"
                         "disable_plaintext_auth = no\n"
                         "auth_mechanisms = plain apop\n"
                         "auth_failure_delay = 0\n"
                         "first_valid_uid = %3\n"
                         "first_valid_gid = %4\n"
                         "default_internal_user = %5\n"
                         "default_login_user = %6\n"
                         "mail_location = maildir:%1/mail/%u\n"
                         "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN %1/passwd\n}\n"
                         "userdb {\n  driver = static\n  args = uid=%3 gid=%4 home=%1/mail/%u\n}\n"
                         "service pop3-login {\n"
                         "  inet_listener pop3 {\n    port = %2\n  }\n"
                         "  inet_listener pop3s {\n    port = %9\n  }\n"
                         "}\n"
                         "service anvil {\n  unix_listener anvil-auth-penalty {\n    mode = 0\n  }\n}\n")
              .arg(d)
              .arg(m_port)
              .arg(owner.uid)
              .arg(owner.gid)
              .arg(internalUser, loginUser)
              .arg(m_listen,
                  m_certFile.isEmpty() ? QStringLiteral("ssl = no\n")
                                       : QStringLiteral("ssl = yes\nssl_cert = <%1\nssl_key = <%2\n"
                                                        "ssl_min_protocol = TLSv1.2\n")
                                             .arg(m_certFile, m_keyFile))
              .arg(m_tlsPort);
    QFile confFile(d + QStringLiteral("/dovecot.conf"));
    QFile passwdFile(d + QStringLiteral("/passwd"));
    if (!confFile.open(QIODevice::WriteOnly) || confFile.write(conf.toUtf8()) < 0
        || !passwdFile.open(QIODevice::WriteOnly)
        || passwdFile.write((m_user + QStringLiteral(":{PLAIN}") + m_password + QLatin1Char('\n')).toUtf8()) < 0) {
        if (error)
            *error = QStringLiteral("cannot write the Dovecot configuration");
        return false;
    }
    confFile.close();
    passwdFile.close();
    if (root) {
        const group *gr = ::getgrnam("dovecot");
        (void)::chown(QFile::encodeName(passwdFile.fileName()).constData(), 0, gr ? gr->gr_gid : 0);
        ::chmod(QFile::encodeName(passwdFile.fileName()).constData(), 0640);
    }
    return true;
}

bool DovecotPeer::start(QString *error)
{
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vesk-dovecot-XXXXXX"));
    if (!m_dir->isValid()) {
        if (error)
            *error = QStringLiteral("cannot make a temporary folder");
        return false;
    }
    const QString d = m_dir->path();
    ::chmod(QFile::encodeName(d).constData(), 0755);
    for (const char *sub : {"run", "state", "mail"})
        QDir(d).mkpath(QString::fromLatin1(sub));
    for (const char *sub : {"new", "cur", "tmp"})
        QDir().mkpath(maildir() + QLatin1Char('/') + QString::fromLatin1(sub));
    chownTree(d + QStringLiteral("/mail"), mailOwner());

    for (int attempt = 0; attempt < 5 && !m_running; ++attempt) {
        m_port = freePort();
        m_tlsPort = m_certFile.isEmpty() ? 0 : freePort();
        if (!writeConfig(error))
            return false;
        QProcess dovecot;
        // Dovecot keeps the caller's output open after it forks: send it to a file.
        dovecot.setStandardOutputFile(d + QStringLiteral("/start.log"), QIODevice::Append);
        dovecot.setStandardErrorFile(d + QStringLiteral("/start.log"), QIODevice::Append);
        dovecot.start(QStringLiteral("/usr/sbin/dovecot"), {QStringLiteral("-c"), d + QStringLiteral("/dovecot.conf")});
        if (!dovecot.waitForFinished(20000) || dovecot.exitCode() != 0)
            continue;
        m_running = true;
        bool up = false;
        for (int i = 0; i < 100 && !up; ++i) {
            up = loginWorks(m_listen, m_port, m_user, m_password);
            if (!up)
                QThread::msleep(100);
        }
        if (!up)
            stop();
    }
    if (!m_running && error)
        *error = QStringLiteral("Dovecot did not start: ") + log();
    return m_running;
}

void DovecotPeer::stop()
{
    if (!m_running)
        return;
    m_running = false;
    const QString d = m_dir->path();
    QFile pidFile(d + QStringLiteral("/run/master.pid"));
    qint64 pid = 0;
    if (pidFile.open(QIODevice::ReadOnly))
        pid = pidFile.readAll().trimmed().toLongLong();
    QProcess::execute(QStringLiteral("/usr/sbin/dovecot"),
                      {QStringLiteral("-c"), d + QStringLiteral("/dovecot.conf"), QStringLiteral("stop")});
    // Wait for the master to be gone so that the port and folder are free.
    for (int i = 0; pid > 0 && i < 100 && ::kill(pid_t(pid), 0) == 0; ++i)
        QThread::msleep(50);
}

bool DovecotPeer::addMessage(const QByteArray &content)
{
    const QString name = QStringLiteral("%1.M%2P%3.vesk")
                             .arg(QDateTime::currentSecsSinceEpoch())
                             .arg(++m_serial, 6, 10, QLatin1Char('0'))
                             .arg(::getpid());
    const QString tmp = maildir() + QStringLiteral("/tmp/") + name;
    QFile file(tmp);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    file.close();
    const MailOwner owner = mailOwner();
    (void)::chown(QFile::encodeName(tmp).constData(), owner.uid, owner.gid);
    return QFile::rename(tmp, maildir() + QStringLiteral("/new/") + name);
}

int DovecotPeer::messageCount() const
{
    return int(messages().size());
}

QList<QByteArray> DovecotPeer::messages() const
{
    QList<QByteArray> out;
    QStringList files;
    for (const char *sub : {"new", "cur"}) {
        QDir dir(maildir() + QLatin1Char('/') + QString::fromLatin1(sub));
        for (const QFileInfo &entry : dir.entryInfoList(QDir::Files))
            files << entry.filePath();
    }
    std::sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
        return QFileInfo(a).fileName() < QFileInfo(b).fileName();
    });
    for (const QString &path : files) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            out << file.readAll();
    }
    return out;
}

QString DovecotPeer::log() const
{
    if (!m_dir)
        return {};
    QString text;
    for (const char *name : {"/start.log", "/dovecot.log"}) {
        QFile file(m_dir->path() + QString::fromLatin1(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

} // namespace vesk::test
