#include "session/ClientJudge.h"

#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "session/ClientLink.h"
#include "session/Pop3Dialogue.h"
#include "session/SessionConfig.h"
#include "session/SessionContext.h"
#include "session/SmtpDialogue.h"

#include <algorithm>

namespace vesk {
namespace {

bool isPop3State(int state)
{
    return (state >= Pop3Greeting && state <= Pop3Quit) || (state >= Pop3Capa && state <= Pop3AuthError);
}

bool isSmtpState(int state)
{
    return (state >= SmtpGreeting && state <= SmtpQuit) || (state >= SmtpEhlo && state <= SmtpHandshake);
}

} // namespace

ClientJudge::ClientJudge(const SessionContext &context, ClientLink &link)
    : m_context(context)
    , m_link(link)
    , m_pop3(std::make_unique<Pop3Dialogue>(*this))
    , m_smtp(std::make_unique<SmtpDialogue>(*this))
{ }

ClientJudge::~ClientJudge() = default;

void ClientJudge::judge(const QByteArray &text)
{
    // Nothing runs: whatever still arrives is not an answer to anything.
    if (m_clientState == ClientIdle)
        return;
    if (m_dataMode) {
        m_pop3->dataBlock(text);
        return;
    }
    m_words = ReplyWords::split(text);
    m_link.allowTime(ReplyEarnsMs);
    if (isPop3State(m_clientState))
        m_pop3->reply(text);
    else if (isSmtpState(m_clientState))
        m_smtp->reply(text);
    else
        failurePath();
}

void ClientJudge::beginDownload()
{
    m_dataMode = false;
    m_cancel = false;
    m_tokenRejected = false;
    m_pop3->begin();
    m_clientState = Pop3Greeting;
}

void ClientJudge::beginUpload()
{
    m_dataMode = false;
    m_cancel = false;
    m_tokenRejected = false;
    m_smtp->begin();
    m_clientState = SmtpGreeting;
}

void ClientJudge::encryptionStarted()
{
    if (m_clientState == Pop3Handshake)
        m_pop3->encrypted();
    else if (m_clientState == SmtpHandshake)
        m_smtp->encrypted();
}

bool ClientJudge::transferProgress(qint64 bytes)
{
    m_progressBytes += bytes;
    if (m_progressBytes < ProgressBytes)
        return false;
    m_progressBytes = 0;
    return true;
}

void ClientJudge::moved(qint64 bytes)
{
    m_movedBytes += std::max<qint64>(0, bytes);
    m_link.allowTime(m_movedBytes / MovedBytesPerSecond * 1000);
    m_movedBytes %= MovedBytesPerSecond;
}

void ClientJudge::clearMessageLines()
{
    m_pop3->clearMessage();
    m_smtp->clearMessage();
}

void ClientJudge::downloadEnded()
{
    m_pop3->sessionEnded();
}

int ClientJudge::mailTotal() const
{
    return m_pop3->mailTotal();
}

int ClientJudge::storedCount() const
{
    return m_pop3->storedCount();
}

void ClientJudge::sendCommand(const QByteArray &command)
{
    sendSecret(command, QString::fromUtf8(command));
}

void ClientJudge::sendSecret(const QByteArray &command, const QString &shown)
{
    m_link.send(command + "\r\n");
    m_link.restartWatchdog();
    m_progressBytes = 0;
    m_cancel = false;
    m_words.word1.clear();
    m_context.core.monitor.debug(QLatin1Char('<') + shown);
}

void ClientJudge::sendCommandAndStep(const QByteArray &command)
{
    sendCommand(command);
    ++m_clientState;
}

void ClientJudge::failurePath()
{
    endWithFailure(true);
}

void ClientJudge::fail(const QString &reason)
{
    m_context.core.monitor.debug(reason);
    endWithFailure(true);
}

void ClientJudge::connectionLost()
{
    endWithFailure(false);
}

void ClientJudge::outOfStep(const QString &reason)
{
    m_context.core.monitor.debug(QStringLiteral("VeskTalk< ") + reason + QStringLiteral(" >"));
    m_pop3->clearMessage();
    endWithFailure(false);
}

void ClientJudge::longDataLine()
{
    if (m_dataMode && m_clientState >= Pop3Greeting && m_clientState <= Pop3Quit)
        m_pop3->longDataLine();
}

void ClientJudge::allowTransfer(qint64 bytes)
{
    const qint64 ms = std::min(std::max<qint64>(0, bytes) / ClaimedBytesPerSecond * 1000, MaxClaimedMs - m_claimedMs);
    m_claimedMs += ms;
    m_link.allowTime(ms);
}

void ClientJudge::endWithFailure(bool sayQuit)
{
    m_dataMode = false;
    m_link.stopWatchdog();
    const bool undoDeletes = isPop3State(m_clientState) && m_pop3->deletesMarked();
    // From here on no reply is judged, also not the one to this QUIT.
    m_clientState = ClientIdle;
    if (sayQuit) {
        // The journal still excuses what this session stored: those copies
        // must stay at the provider, so its DELEs are taken back first.
        if (undoDeletes)
            sendCommand("RSET");
        sendCommand("QUIT");
        m_link.flush();
    }
    m_context.core.monitor.debug(QStringLiteral("VeskTalk< Failed ! >"));
    m_link.clientOff();
    m_context.core.state.marker = QStringLiteral("x");
}

void ClientJudge::abandon()
{
    m_cancel = true;
    m_clientState = ClientAbandoned;
    m_dataMode = false;
}

bool ClientJudge::still(int state) const
{
    return m_context.core.state.running() && m_clientState == state;
}

} // namespace vesk
