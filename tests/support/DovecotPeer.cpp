#include "support/DovecotPeer.h"
#include "support/FreePort.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
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
        return { ::getuid(), ::getgid() };
    const passwd *pw = ::getpwnam("mail");
    return pw ? MailOwner { pw->pw_uid, pw->pw_gid } : MailOwner { 8, 8 };
}

void giveToMailOwner(const QString &path)
{
    const MailOwner owner = mailOwner();
    (void)::chown(QFile::encodeName(path).constData(), owner.uid, owner.gid);
    QDirIterator it(
        path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        (void)::chown(QFile::encodeName(it.next()).constData(), owner.uid, owner.gid);
}

// A login with a short timeout: proves that the server answers and warms up
// the authentication processes.
bool loginWorks(const QString &host, quint16 port, const QString &user, const QString &password)
{
    QTcpSocket socket;
    socket.connectToHost(host, port);
    const auto replyOk = [&] {
        while (!socket.canReadLine() && socket.waitForReadyRead(5000)) { }
        return socket.readLine().startsWith("+OK");
    };
    const auto say = [&](const QByteArray &line) { return socket.write(line + "\r\n") > 0 && replyOk(); };
    return socket.waitForConnected(5000) && replyOk() && say("USER " + user.toUtf8())
        && say("PASS " + password.toUtf8()) && say("QUIT");
}

} // namespace

DovecotPeer::DovecotPeer(QString user, QString password)
    : m_user(std::move(user))
    , m_password(std::move(password))
{ }

void DovecotPeer::setTls(const QString &certFile, const QString &keyFile)
{
    m_certFile = certFile;
    m_keyFile = keyFile;
}

DovecotPeer::~DovecotPeer()
{
    stop();
}

bool DovecotPeer::writeConfig()
{
    const QString d = m_dir->path();
    const MailOwner owner = mailOwner();
    const bool root = ::getuid() == 0;
    const passwd *me = ::getpwuid(::getuid());
    const QString self = QString::fromLocal8Bit(me ? me->pw_name : "nobody");
    QFile templateFile(sourceDir() + QStringLiteral("/tests/support/peers/dovecot.conf"));
    if (!templateFile.open(QIODevice::ReadOnly))
        return false;
    const QString conf
        = QString::fromUtf8(templateFile.readAll())
              .arg(d)
              .arg(m_port)
              .arg(owner.uid)
              .arg(owner.gid)
              .arg(root ? QStringLiteral("dovecot") : self, root ? QStringLiteral("dovenull") : self)
              .arg(m_listen,
                  m_certFile.isEmpty() ? QStringLiteral("ssl = no\n")
                                       : QStringLiteral("ssl = yes\nssl_cert = <%1\nssl_key = <%2\n"
                                                        "ssl_min_protocol = TLSv1.2\n")
                                             .arg(m_certFile, m_keyFile))
              .arg(m_tlsPort);
    const QString passwd = d + QStringLiteral("/passwd");
    QString oauthConf = conf;
    if (!m_introspectUrl.isEmpty()) {
        // The password database only for the password mechanisms: else a
        // password in place of a token would log in.
        oauthConf.replace(QStringLiteral("auth_mechanisms = plain apop"),
            QStringLiteral("auth_mechanisms = plain apop xoauth2 oauthbearer"));
        oauthConf.replace(QStringLiteral("  driver = passwd-file\n"),
            QStringLiteral("  driver = passwd-file\n  mechanisms = plain apop\n"));
        oauthConf += QStringLiteral("passdb {\n  driver = oauth2\n  mechanisms = xoauth2 oauthbearer\n"
                                    "  args = %1/dovecot-oauth2.conf.ext\n}\n")
                         .arg(d);
        const QString ext = QStringLiteral("introspection_mode = post\nintrospection_url = %1\n"
                                           "username_attribute = username\nactive_attribute = active\n"
                                           "active_value = true\n")
                                .arg(m_introspectUrl);
        if (!writeFile(d + QStringLiteral("/dovecot-oauth2.conf.ext"), ext.toUtf8()))
            return false;
    }
    if (!writeFile(d + QStringLiteral("/dovecot.conf"), oauthConf.toUtf8())
        || !writeFile(passwd, (m_user + QStringLiteral(":{PLAIN}") + m_password + u'\n').toUtf8()))
        return false;
    if (root) {
        // The authentication process runs as dovecot.
        const group *gr = ::getgrnam("dovecot");
        (void)::chown(QFile::encodeName(passwd).constData(), 0, gr ? gr->gr_gid : 0);
        ::chmod(QFile::encodeName(passwd).constData(), 0640);
    }
    return true;
}

bool DovecotPeer::start(QString *error)
{
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vesk-dovecot-XXXXXX"));
    const QString d = m_dir->path();
    ::chmod(QFile::encodeName(d).constData(), 0755);
    for (const char *sub : { "run", "state", "mail" })
        QDir(d).mkpath(QString::fromLatin1(sub));
    for (const char *sub : { "new", "cur", "tmp" })
        QDir().mkpath(maildir() + u'/' + QString::fromLatin1(sub));
    giveToMailOwner(d + QStringLiteral("/mail"));

    for (int attempt = 0; attempt < 5 && !m_running; ++attempt) {
        m_port = freePort();
        m_tlsPort = m_certFile.isEmpty() ? 0 : freePort();
        if (!writeConfig())
            break;
        QProcess dovecot;
        // Dovecot keeps the caller's output open after it forks: send it to a file.
        dovecot.setStandardOutputFile(d + QStringLiteral("/start.log"), QIODevice::Append);
        dovecot.setStandardErrorFile(d + QStringLiteral("/start.log"), QIODevice::Append);
        dovecot.start(QStringLiteral("/usr/sbin/dovecot"),
            { QStringLiteral("-c"), d + QStringLiteral("/dovecot.conf") });
        if (!dovecot.waitForFinished(20000) || dovecot.exitCode() != 0)
            continue;
        m_running = true;
        bool up = false;
        for (int i = 0; i < 100 && !(up = loginWorks(m_listen, m_port, m_user, m_password)); ++i)
            QThread::msleep(100);
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
    const qint64 pid = pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toLongLong() : 0;
    QProcess::execute(QStringLiteral("/usr/sbin/dovecot"),
        { QStringLiteral("-c"), d + QStringLiteral("/dovecot.conf"), QStringLiteral("stop") });
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
    if (!writeFile(tmp, content))
        return false;
    giveToMailOwner(tmp);
    return QFile::rename(tmp, maildir() + QStringLiteral("/new/") + name);
}

int DovecotPeer::messageCount() const
{
    return int(QDir(maildir() + QStringLiteral("/new")).entryList(QDir::Files).size()
        + QDir(maildir() + QStringLiteral("/cur")).entryList(QDir::Files).size());
}

QString DovecotPeer::log() const
{
    QString text;
    for (const char *name : { "/start.log", "/dovecot.log" }) {
        QFile file(m_dir ? m_dir->path() + QString::fromLatin1(name) : QString());
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

} // namespace vesk::test
