#include "server/LocalMailServer.h"

#include "net/TKError.h"
#include "net/TKTcpChildSock.h"
#include "net/TKTcpServer.h"
#include "server/ChildSink.h"
#include "server/LocalDialogue.h"
#include "session/ProtocolMonitor.h"
#include "session/SessionState.h"

namespace vesk {

struct LocalMailServer::Connection
{
    Connection(ServerEnvironment &env, int tag, TKTcpChildSock *child)
        : sink(child)
        , dialogue(env, tag, sink)
    { }
    ChildSink sink;
    LocalDialogue dialogue;
};

LocalMailServer::LocalMailServer(Services services, ServerIdentity identity, QObject *parent)
    : QObject(parent)
    , m_services(services)
    , m_identity(std::move(identity))
    , m_activity(services.state)
    , m_ends(m_env,
          [this](std::function<void()> task) {
              QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          })
    , m_env { m_config, m_identity, services.store, services.state, services.host, services.monitor,
        services.messenger, services.pump, services.clock, services.timers, m_activity, m_ends }
    , m_srvPOP3(makeServer(1))
    , m_srvSMTP(makeServer(2))
    , m_srvPOP32(makeServer(0))
    , m_srvSMTP2(makeServer(3))
{ }

LocalMailServer::~LocalMailServer()
{
    stopAll();
    // Before the members the handlers use are gone.
    for (TKTcpServer *s : { m_srvPOP3, m_srvSMTP, m_srvPOP32, m_srvSMTP2 })
        delete s;
}

TKTcpServer *LocalMailServer::makeServer(int tag)
{
    auto *server = new TKTcpServer(this, m_services.net);
    server->setTag(tag);
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

TKTcpServer *LocalMailServer::server(int tag) const
{
    switch (tag) {
    case 1:
        return m_srvPOP3;
    case 2:
        return m_srvSMTP;
    case 0:
        return m_srvPOP32;
    case 3:
        return m_srvSMTP2;
    default:
        return nullptr;
    }
}

quint16 LocalMailServer::listeningPort(int tag) const
{
    const TKTcpServer *s = server(tag);
    return s ? s->listeningPort() : 0;
}

void LocalMailServer::start(int tag, int port)
{
    TKTcpServer *s = server(tag);
    if (s->active() && s->listeningPort() != 0)
        return;
    // A server left active by a failed open is closed before trying again.
    s->close();
    s->setPort(quint16(port));
    s->open();
}

void LocalMailServer::stop(int tag)
{
    TKTcpServer *s = server(tag);
    // The provider session that closes the servers owns the marker now.
    for (TKTcpChildSock *child : s->childSockets()) {
        if (LocalDialogue *dialogue = dialogueOf(child))
            dialogue->serverClosing();
    }
    s->close();
}

void LocalMailServer::startMailer1()
{
    start(1, m_config.POP3_VeskMailer1);
    start(2, m_config.SMTP_VeskMailer1);
}

void LocalMailServer::startMailer2()
{
    start(0, m_config.POP3_VeskMailer2);
    start(3, m_config.SMTP_VeskMailer2);
}

void LocalMailServer::stopMailer1()
{
    stop(1);
    stop(2);
}

void LocalMailServer::stopMailer2()
{
    stop(0);
    stop(3);
}

void LocalMailServer::stopAll()
{
    stopMailer1();
    stopMailer2();
}

LocalDialogue *LocalMailServer::dialogueOf(TKTcpChildSock *child) const
{
    const auto found = m_dialogues.find(child);
    return found == m_dialogues.end() ? nullptr : &found->second->dialogue;
}

// --- the shared handlers ---

void LocalMailServer::srvPOP3Connect(TKTcpServer *sender, TKTcpChildSock *target)
{
    auto connection = std::make_unique<Connection>(m_env, sender->tag(), target);
    LocalDialogue &dialogue = connection->dialogue;
    m_dialogues[target] = std::move(connection);
    dialogue.connected();
}

void LocalMailServer::srvPOP3RcvReady(TKTcpServer *, TKTcpChildSock *target)
{
    const QByteArray bytes = target->receive();
    if (LocalDialogue *dialogue = dialogueOf(target))
        dialogue->received(bytes);
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
    m_services.monitor.debug(e.message());
    if (LocalDialogue *dialogue = dialogueOf(target))
        dialogue->childError();
}

void LocalMailServer::srvPOP3Error(QObject *sender, const TKError &e)
{
    m_services.state.marker = QStringLiteral("x");
    const auto *s = static_cast<TKTcpServer *>(sender);
    if (m_listenError)
        m_listenError(s->port(), e.message());
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
