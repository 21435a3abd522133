#include "server/LocalMailServer.h"

#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "net/PeerOwner.h"
#include "net/TKError.h"
#include "net/TKTcpChildSock.h"
#include "net/TKTcpServer.h"
#include "server/ChildSink.h"
#include "server/LocalDialogue.h"

#include <unistd.h>

namespace vesk {

struct LocalMailServer::Connection
{
    Connection(ServerEnvironment &env, MailerPort port, TKTcpChildSock *child)
        : sink(child)
        , dialogue(env, port, sink)
    { }
    ChildSink sink;
    LocalDialogue dialogue;
};

LocalMailServer::LocalMailServer(
    const CoreServices &core, MailHost &host, MailView &view, ServerIdentity identity, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_identity(std::move(identity))
    , m_activity(core.state)
    , m_ends(m_env,
          [this](std::function<void()> task) {
              QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          })
    , m_env { core, m_config, m_identity, host, view, m_activity, m_ends }
    , m_srvPOP3(makeServer(MailerPort::Pop3Mailer1))
    , m_srvSMTP(makeServer(MailerPort::SmtpMailer1))
    , m_srvPOP32(makeServer(MailerPort::Pop3Mailer2))
    , m_srvSMTP2(makeServer(MailerPort::SmtpMailer2))
{ }

LocalMailServer::~LocalMailServer()
{
    stopAll();
    // Before the members the handlers use are gone.
    for (TKTcpServer *s : { m_srvPOP3, m_srvSMTP, m_srvPOP32, m_srvSMTP2 })
        delete s;
}

TKTcpServer *LocalMailServer::makeServer(MailerPort port)
{
    auto *server = new TKTcpServer(this, m_core.net);
    server->setTag(int(port));
    server->setMaxChildren(MaxConnectionsPerPort);
    // Input waits in the socket until the dialogue can work on it.
    server->setChildReceiveLimit(LocalDialogue::InputBound);
    server->setAdmission([this](int handle) { return admit(handle); });
    server->setOnConnect([this](TKTcpServer *s, TKTcpChildSock *c) { srvPOP3Connect(s, c); });
    server->setOnRcvReady([this](TKTcpServer *s, TKTcpChildSock *c) { srvPOP3RcvReady(s, c); });
    server->setOnSendEmpty([this](TKTcpServer *s, TKTcpChildSock *c) { srvPOP3SendEmpty(s, c); });
    server->setOnDisconnect([this](TKTcpServer *s, TKTcpChildSock *c) { srvPOP3Disconnect(s, c); });
    server->setOnChildDestroy([this](TKTcpServer *s, TKTcpChildSock *c) { srvPOP3ChildDestroy(s, c); });
    server->setOnChildError(
        [this](TKTcpServer *s, TKTcpChildSock *c, const TKError &e) { srvPOP3ChildError(s, c, e); });
    server->setOnError([this](QObject *s, const TKError &e) { srvPOP3Error(s, e); });
    return server;
}

void LocalMailServer::setConfig(const ServerConfig &config)
{
    m_config = config;
}

TKTcpServer *LocalMailServer::server(MailerPort port) const
{
    switch (port) {
    case MailerPort::Pop3Mailer1:
        return m_srvPOP3;
    case MailerPort::SmtpMailer1:
        return m_srvSMTP;
    case MailerPort::Pop3Mailer2:
        return m_srvPOP32;
    case MailerPort::SmtpMailer2:
        return m_srvSMTP2;
    }
    return nullptr;
}

quint16 LocalMailServer::listeningPort(MailerPort port) const
{
    const TKTcpServer *s = server(port);
    return s ? s->listeningPort() : 0;
}

void LocalMailServer::start(MailerPort port, int number)
{
    TKTcpServer *s = server(port);
    if (s->active() && s->listeningPort() != 0)
        return;
    // A server left active by a failed open is closed before trying again.
    s->close();
    s->setPort(quint16(number));
    s->open();
}

void LocalMailServer::stop(MailerPort port)
{
    TKTcpServer *s = server(port);
    dropConnections(s);
    s->close();
}

void LocalMailServer::dropConnections(TKTcpServer *s)
{
    // The provider session that closes the servers owns the marker now.
    for (TKTcpChildSock *child : s->childSockets()) {
        if (LocalDialogue *dialogue = dialogueOf(child))
            dialogue->serverClosing();
    }
    s->closeChildren();
}

void LocalMailServer::holdForSession()
{
    m_held = true;
    for (TKTcpServer *s : { m_srvPOP3, m_srvSMTP, m_srvPOP32, m_srvSMTP2 }) {
        s->setRefusing(true);
        dropConnections(s);
    }
}

void LocalMailServer::resumeAfterSession()
{
    m_held = false;
    for (TKTcpServer *s : { m_srvPOP3, m_srvSMTP, m_srvPOP32, m_srvSMTP2 })
        s->setRefusing(false);
}

void LocalMailServer::startMailer1()
{
    start(MailerPort::Pop3Mailer1, m_config.POP3_VeskMailer1);
    start(MailerPort::SmtpMailer1, m_config.SMTP_VeskMailer1);
}

void LocalMailServer::startMailer2()
{
    start(MailerPort::Pop3Mailer2, m_config.POP3_VeskMailer2);
    start(MailerPort::SmtpMailer2, m_config.SMTP_VeskMailer2);
}

void LocalMailServer::stopMailer1()
{
    stop(MailerPort::Pop3Mailer1);
    stop(MailerPort::SmtpMailer1);
}

void LocalMailServer::stopMailer2()
{
    stop(MailerPort::Pop3Mailer2);
    stop(MailerPort::SmtpMailer2);
}

void LocalMailServer::stopAll()
{
    stopMailer1();
    stopMailer2();
    m_held = false;
}

QList<quint16> LocalMailServer::unopenedPorts() const
{
    QList<quint16> ports;
    for (const TKTcpServer *s : { m_srvPOP3, m_srvSMTP, m_srvPOP32, m_srvSMTP2 }) {
        if (s->active() && s->listeningPort() == 0)
            ports << s->port();
    }
    return ports;
}

qsizetype LocalMailServer::heldBytes() const
{
    qsizetype held = 0;
    for (const auto &[child, connection] : m_dialogues)
        held += child->bufferedBytes() + child->queuedBytes() + connection->dialogue.heldBytes();
    return held;
}

bool LocalMailServer::admit(int handle) const
{
    const std::optional<uid_t> owner = PeerOwner::ofConnection(handle);
    if (owner && *owner == ::geteuid())
        return true;
    // Closed before the greeting: nothing of the dialogue reaches the other user.
    m_core.monitor.debug(owner ? QStringLiteral("VeskTalk< 他のユーザー %1 からの接続を切りました >")
                                     .arg(PeerOwner::describe(*owner))
                               : QStringLiteral("VeskTalk< 接続元のユーザーが分からないため接続を切りました >"));
    return false;
}

LocalDialogue *LocalMailServer::dialogueOf(TKTcpChildSock *child) const
{
    const auto found = m_dialogues.find(child);
    return found == m_dialogues.end() ? nullptr : &found->second->dialogue;
}

// --- the shared handlers ---

void LocalMailServer::srvPOP3Connect(TKTcpServer *sender, TKTcpChildSock *target)
{
    auto connection = std::make_unique<Connection>(m_env, MailerPort(sender->tag()), target);
    LocalDialogue &dialogue = connection->dialogue;
    m_dialogues[target] = std::move(connection);
    dialogue.connected();
}

void LocalMailServer::srvPOP3RcvReady(TKTcpServer *, TKTcpChildSock *target)
{
    if (LocalDialogue *dialogue = dialogueOf(target))
        dialogue->readable();
    else
        target->receive();
}

void LocalMailServer::srvPOP3SendEmpty(TKTcpServer *, TKTcpChildSock *target)
{
    if (LocalDialogue *dialogue = dialogueOf(target))
        dialogue->sendEmpty();
}

void LocalMailServer::srvPOP3Disconnect(TKTcpServer *, TKTcpChildSock *target)
{
    if (LocalDialogue *dialogue = dialogueOf(target))
        dialogue->disconnected();
}

void LocalMailServer::srvPOP3ChildError(TKTcpServer *, TKTcpChildSock *target, const TKError &e)
{
    m_core.monitor.debug(e.message());
    if (LocalDialogue *dialogue = dialogueOf(target))
        dialogue->childError();
}

void LocalMailServer::srvPOP3Error(QObject *sender, const TKError &e)
{
    m_core.state.marker = QStringLiteral("x");
    const auto *s = static_cast<TKTcpServer *>(sender);
    if (!m_listenError)
        return;
    // Whoever holds the port would be given the mailer's login.
    QString holder;
    if (const std::optional<uid_t> owner = PeerOwner::ofListener(s->port()); owner && *owner != ::geteuid())
        holder = PeerOwner::describe(*owner);
    m_listenError(s->port(), e.message(), holder);
}

void LocalMailServer::srvPOP3ChildDestroy(TKTcpServer *, TKTcpChildSock *target)
{
    const auto found = m_dialogues.find(target);
    if (found == m_dialogues.end())
        return;
    std::unique_ptr<Connection> connection = std::move(found->second);
    m_dialogues.erase(found);
    connection->sink.detach();
    connection->dialogue.serverClosing();
    // One of the dialogue's own calls may be on the stack: let it go from the loop.
    m_retired.push_back(std::move(connection));
    QMetaObject::invokeMethod(
        this, [this] { m_retired.clear(); }, Qt::QueuedConnection);
}

} // namespace vesk
