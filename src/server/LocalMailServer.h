#pragma once

#include "mail/MailerPort.h"
#include "server/LocalActivity.h"
#include "server/MailerEnds.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "server/ServerIdentity.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vesk {

class LocalDialogue;
class MailHost;
class MailView;
class TKError;
class TKTcpChildSock;
class TKTcpServer;
struct CoreServices;

// The local POP3 and SMTP servers the user's mailers talk to: srvPOP3 and
// srvSMTP for mailer 1, srvPOP32 and srvSMTP2 for mailer 2, listening on
// loopback. All four share one set of handlers; each
// connection gets its own LocalDialogue.
class LocalMailServer final : public QObject
{
    Q_OBJECT
public:
    LocalMailServer(const CoreServices &core, MailHost &host, MailView &view,
        ServerIdentity identity = ServerIdentity::local(), QObject *parent = nullptr);
    ~LocalMailServer() override;

    // Takes effect for the ports at the next start, for everything else at once.
    void setConfig(const ServerConfig &config);
    const ServerConfig &config() const { return m_config; }

    // Opens a mailer's pair of servers on the configured ports (a pair that
    // listens already stays as it is). Listening errors go to the handler.
    void startMailer1();
    void startMailer2();
    // Closes a pair; its connections are dropped.
    void stopMailer1();
    void stopMailer2();
    void stopAll();

    // While a provider session runs: the mailers' connections are dropped
    // and new ones closed at once, as a closed port looks to a mailer, but
    // every port stays bound, so that no other program can take it (and
    // the mailers' passwords with it) meanwhile.
    void holdForSession();
    void resumeAfterSession();
    bool held() const { return m_held; }

    // Connections served at once on each port.
    static constexpr int MaxConnectionsPerPort = 16;

    // A listening socket failed (the port is taken, ...): its port, the
    // error text ("WSAEADDRINUSE アドレスがすでに使用中です") and, when
    // another account listens there, who ("nobody (uid 65534)"), else empty.
    using ListenErrorHandler = std::function<void(quint16 port, const QString &text, const QString &holder)>;
    void setListenErrorHandler(ListenErrorHandler handler) { m_listenError = std::move(handler); }

    TKTcpServer &srvPOP3() const { return *m_srvPOP3; }
    TKTcpServer &srvSMTP() const { return *m_srvSMTP; }
    TKTcpServer &srvPOP32() const { return *m_srvPOP32; }
    TKTcpServer &srvSMTP2() const { return *m_srvSMTP2; }
    // The port a server listens on (useful with a configured port of 0); 0 if it does not.
    quint16 listeningPort(MailerPort port) const;

    // Ports of the servers that were to listen but could not open.
    QList<quint16> unopenedPorts() const;

    int dialogueCount() const { return int(m_dialogues.size()); }
    // Bytes held in memory for all connections: received and not worked on,
    // queued to go out, DATA text not yet written.
    qsizetype heldBytes() const;

private:
    struct Connection;

    TKTcpServer *makeServer(MailerPort port);
    TKTcpServer *server(MailerPort port) const;
    void start(MailerPort port, int number);
    void stop(MailerPort port);
    void dropConnections(TKTcpServer *server);
    LocalDialogue *dialogueOf(TKTcpChildSock *child) const;
    // Only the user's own programs are served: any local account can reach
    // a loopback port, and a mailer's login is the provider's.
    bool admit(int handle) const;

    void srvPOP3Connect(TKTcpServer *sender, TKTcpChildSock *target);
    void srvPOP3RcvReady(TKTcpServer *sender, TKTcpChildSock *target);
    void srvPOP3SendEmpty(TKTcpServer *sender, TKTcpChildSock *target);
    void srvPOP3Disconnect(TKTcpServer *sender, TKTcpChildSock *target);
    void srvPOP3ChildError(TKTcpServer *sender, TKTcpChildSock *target, const TKError &e);
    void srvPOP3Error(QObject *sender, const TKError &e);
    void srvPOP3ChildDestroy(TKTcpServer *sender, TKTcpChildSock *target);

    const CoreServices &m_core;
    ServerConfig m_config;
    ServerIdentity m_identity;
    LocalActivity m_activity;
    MailerEnds m_ends;
    ServerEnvironment m_env;
    ListenErrorHandler m_listenError;
    std::map<TKTcpChildSock *, std::unique_ptr<Connection>> m_dialogues;
    std::vector<std::unique_ptr<Connection>> m_retired;
    TKTcpServer *m_srvPOP3;
    TKTcpServer *m_srvSMTP;
    TKTcpServer *m_srvPOP32;
    TKTcpServer *m_srvSMTP2;
    bool m_held = false;
};

} // namespace vesk
