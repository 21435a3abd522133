#include "session/ProviderConnection.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailText.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "net/LocalHostName.h"
#include "net/TKError.h"
#include "net/TKTcpClient.h"
#include "net/TlsChannel.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "session/SessionConfig.h"
#include "session/SessionContext.h"

#include <algorithm>

namespace vesk {

ProviderConnection::ProviderConnection(const SessionContext &context)
    : m_context(context)
    , m_judge(context, *this)
    , m_client(std::make_unique<TKTcpClient>(nullptr, context.core.net))
    , m_timRet(context.core.timers.create())
    , m_timPass(context.core.timers.create())
    , m_timLimit(context.core.timers.create())
{
    m_client->setOnConnect([this](QObject *) { clientConnect(); });
    m_client->setOnRcvReady([this](QObject *) { clientRcvReady(); });
    m_client->setOnDisconnect([this](QObject *) { clientDisconnect(); });
    m_client->setOnError([this](QObject *, const TKError &error) { clientError(error); });
    m_assembler.setJudge([this](const QByteArray &text) { judgeText(text); });
    m_assembler.setLongDataLineHandler([this] { m_judge.longDataLine(); });
    m_assembler.setDataMode([this] { return m_judge.dataMode(); });
    m_assembler.setMonitor([this](const QByteArray &block) { showReceived(block); });
    m_assembler.setOverflowHandler([this] { overflow(); });
    m_timRet->setCallback([this] { watchdogFired(); });
    m_timPass->setCallback([this] { timPassTimer(); });
    m_timPass->setInterval(PassIntervalMs);
    m_timLimit->setCallback([this] { timLimitTimer(); });
    m_timLimit->setInterval(1000);
    setOverTime(context.config.OverTime);
}

ProviderConnection::~ProviderConnection()
{
    m_client->setOnConnect({});
    m_client->setOnRcvReady({});
    m_client->setOnDisconnect({});
    m_client->setOnError({});
    m_client->close();
}

void ProviderConnection::setOverTime(int seconds)
{
    // A zero period would fire without end.
    m_timRet->setInterval(std::max(1, seconds) * 1000);
}

void ProviderConnection::setTarget(const QString &host, int port, Security security)
{
    m_client->setServerName(host);
    m_client->setPort(quint16(port));
    m_security = security;
}

bool ProviderConnection::active() const
{
    return m_client->active();
}

void ProviderConnection::clientOn(const QString &direction)
{
    m_context.core.monitor.debug(QStringLiteral("----- Server ") + direction + QStringLiteral(" Vesk -----"));
    m_timeLeftMs = qint64(std::max(1, m_context.config.OverTime)) * 1000 * 4;
    m_timLimit->start();
    if (!m_client->active())
        m_client->setActive(true);
    m_context.host.closeLocalServers();
    m_context.view.dialPanelStatus(QStringLiteral("Connected"));
}

void ProviderConnection::send(const QByteArray &bytes)
{
    m_replyFrom = m_assembler.fed();
    m_client->send(bytes);
}

bool ProviderConnection::startTls()
{
    if (!m_client->connected() || m_judge.clientState() == ClientIdle)
        return false;
    // Text after the reply that allowed encryption came in plain text from
    // whoever sits on the line, not from the server we are to verify.
    if (m_assembler.fed() > m_judgedEnd) {
        m_judge.outOfStep(QStringLiteral("暗号化の開始の後に暗号化されていない行が続いています"));
        return false;
    }
    encrypt();
    return true;
}

void ProviderConnection::encrypt()
{
    m_assembler.clear();
    m_replyFrom = 0;
    m_judgedEnd = 0;
    TlsChannel::Options options;
    options.hostName = m_client->serverName();
    options.extraCaFile = m_context.config.TlsCaFile;
    m_client->wrapChannel([this, options](std::unique_ptr<ByteChannel> inner) {
        auto channel = std::make_unique<TlsChannel>(std::move(inner), options);
        channel->setOnEstablished([this](const QString &description) { encrypted(description); });
        return channel;
    });
    m_secure = true;
}

void ProviderConnection::encrypted(const QString &description)
{
    m_context.core.monitor.debug(QStringLiteral("VeskTalk< 暗号化 ") + description + QStringLiteral(" >"));
    // Told from deep inside the socket's reading: the dialogue goes on from
    // the event loop.
    const quint64 session = m_sessions;
    QMetaObject::invokeMethod(
        m_client.get(),
        [this, session] {
            if (session == m_sessions)
                m_judge.encryptionStarted();
        },
        Qt::QueuedConnection);
}

bool ProviderConnection::sendPending() const
{
    return m_client->queuedBytes() > 0;
}

void ProviderConnection::flush()
{
    m_context.core.pump.waitUntil([this] { return !sendPending() || !m_client->active(); }, 50, 10);
}

void ProviderConnection::restartWatchdog()
{
    m_timRet->start();
}

void ProviderConnection::stopWatchdog()
{
    m_timRet->stop();
}

void ProviderConnection::allowTime(qint64 ms)
{
    m_timeLeftMs += ms;
}

void ProviderConnection::clientOff()
{
    m_timRet->stop();
    m_timLimit->stop();
    m_judge.setClientState(ClientIdle);
    m_client->close();
    m_secure = false;
    ++m_sessions;
    m_assembler.clear();
    if (m_context.config.ServerON)
        m_context.host.reopenLocalServers();
    m_context.view.dialPanelStatus(QStringLiteral("Close"));
}

QString ProviderConnection::localHostName() const
{
    return GreetingHostName(LocalHostName());
}

void ProviderConnection::clientConnect()
{
    m_judge.resetProgress();
    m_context.core.state.marker = QStringLiteral(".");
    m_assembler.clear();
    m_replyFrom = 0;
    m_judgedEnd = 0;
    m_secure = false;
    ++m_sessions;
    if (m_security == Security::Tls)
        encrypt();
    m_context.view.dialPanelStatus(QStringLiteral("Authenticating"));
}

void ProviderConnection::judgeText(const QByteArray &text)
{
    // Commands go one at a time: text that had arrived before the command
    // was sent is no answer to it.
    if (m_assembler.position() < m_replyFrom && m_judge.clientState() != ClientIdle
        && m_judge.clientState() != ClientAbandoned) {
        m_judge.outOfStep(QStringLiteral("応答を待っていない行が届きました"));
        return;
    }
    m_judgedEnd = m_assembler.position() + text.size() + 2;
    m_judge.judge(text);
}

void ProviderConnection::clientRcvReady()
{
    m_timPass->stop();
    const QByteArray bytes = m_client->receive();
    m_judge.moved(bytes.size());
    m_assembler.feed(bytes);
}

void ProviderConnection::showReceived(const QByteArray &block)
{
    if (m_context.core.monitor.isOpen())
        m_context.core.monitor.debug(QString::fromUtf8(block));
}

void ProviderConnection::clientDisconnect()
{
    m_judge.resetProgress();
    m_judge.clearMessageLines();
    m_context.view.dialPanelStatus(QStringLiteral("Close"));
    // Nobody will answer any more: end now rather than when the watchdog fires.
    if (m_judge.clientState() != ClientIdle && m_judge.clientState() != ClientAbandoned
        && m_context.core.state.running())
        m_judge.connectionLost();
}

void ProviderConnection::clientError(const TKError &error)
{
    // An error of a connection that already ended changes no result.
    if (m_judge.clientState() == ClientIdle && !m_client->active())
        return;
    m_judge.resetProgress();
    m_context.core.monitor.debug(QStringLiteral("VeskTalk< ") + error.message() + QStringLiteral(" >"));
    m_context.core.state.marker = QStringLiteral("x");
    clientOff();
    m_context.view.dialPanelStatus(QStringLiteral("Error"));
    if (error.message().toUpper().contains(QLatin1String("WSAEADDRNOTAVAIL"))) {
        m_context.view.raiseMainWindow();
        m_context.core.messenger.beep();
        m_context.core.messenger.message(
            QStringLiteral("Socketが正常に動作しません。\r\nVeskを再立ち上げして下さい。"));
    }
}

void ProviderConnection::overflow()
{
    // A line without end from the provider: held text stays bounded.
    m_judge.fail(QStringLiteral("VeskTalk< 受信した行が長すぎます >"));
}

void ProviderConnection::watchdogFired()
{
    const int state = m_judge.clientState();
    if (state != ClientIdle && state != ClientAbandoned)
        m_context.core.monitor.debug(state == Pop3Handshake || state == SmtpHandshake
                ? QStringLiteral("VeskTalk< 暗号化に応じたサーバーが暗号化を始めないため中止しました >")
                : QStringLiteral("VeskTalk< サーバーからの応答が途絶えたため中止しました >"));
    timRetTimer();
}

void ProviderConnection::timRetTimer()
{
    m_timPass->stop();
    m_context.core.state.pop3Active = false;
    m_context.core.state.marker = QStringLiteral("x");
    m_timRet->stop();
    m_judge.abandon();
}

void ProviderConnection::timLimitTimer()
{
    m_timeLeftMs -= m_timLimit->interval();
    if (m_timeLeftMs >= 0)
        return;
    m_timLimit->stop();
    if (!m_context.core.state.running() || m_judge.clientState() == ClientIdle)
        return;
    m_context.core.monitor.debug(QStringLiteral("VeskTalk< 時間がかかりすぎています >"));
    timRetTimer();
}

void ProviderConnection::timPassTimer()
{
    if (!m_client->active() || !m_context.core.state.running()) {
        m_timPass->stop();
        return;
    }
    m_client->close();
    m_context.core.pump.waitUntil([] { return false; }, 50, 10);
    if (!m_client->active() && m_context.core.state.running()) {
        m_judge.beginDownload();
        m_client->setActive(true);
        m_context.core.monitor.debug(QStringLiteral("---- Re-authenticate ----"));
    } else {
        m_context.core.monitor.debug(QStringLiteral("- Re-authenticate false -"));
    }
}

} // namespace vesk
