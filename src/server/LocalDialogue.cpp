#include "server/LocalDialogue.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/Clock.h"
#include "platform/StagedFile.h"
#include "platform/Timer.h"
#include "server/LocalActivity.h"
#include "server/MailerEnds.h"
#include "server/MessageStreamer.h"
#include "server/ReplySink.h"
#include "server/ServerCommand.h"
#include "server/ServerConfig.h"
#include "server/ServerEnvironment.h"
#include "server/ServerIdentity.h"
#include "server/ServerJudge.h"
#include "server/ServerTexts.h"
#include "server/SmtpBody.h"

#include <algorithm>

namespace vesk {

LocalDialogue::LocalDialogue(ServerEnvironment &env, MailerPort port, ReplySink &sink)
    : m_env(env)
    , m_port(port)
    , m_sink(sink)
    , m_idle(env.core.timers.create())
    , m_step(env.core.timers.create())
{
    m_idle->setInterval(std::max(1, env.config.OverTime) * 1000);
    m_idle->setCallback([this] { timedOut(); });
    m_step->setCallback([this] {
        m_step->stop();
        if (m_phase == Phase::Waiting)
            greetingPoll();
        else if (m_phase == Phase::Pausing)
            lookupDone();
        else if (m_phase == Phase::LoginWait)
            loginAnswered();
    });
}

LocalDialogue::~LocalDialogue()
{
    setPop3Active(false);
    if (m_holdsMarker)
        m_env.activity.dropMarker();
}

Box LocalDialogue::pop3Box() const
{
    if (!m_env.config.DevideON)
        return Box::InBox;
    return isMailer2Port(m_port) ? Box::InBox2 : Box::InBox1;
}

bool LocalDialogue::inDataMode() const
{
    return m_phase == Phase::Data;
}

bool LocalDialogue::closing() const
{
    return m_phase == Phase::Closing;
}

qsizetype LocalDialogue::heldBytes() const
{
    return m_input.size() - m_inputPos + (m_body ? m_body->heldBytes() : 0);
}

// --- transport events ---

void LocalDialogue::connected()
{
    m_input.clear();
    m_inputPos = 0;
    m_polls = 0;
    greetingPoll();
}

void LocalDialogue::greetingPoll()
{
    // A provider session that is about to close the servers goes first, for
    // a while; other mailers' dialogues need no wait.
    if (m_env.activity.providerRunning() && m_polls++ < GreetingWaitPolls) {
        m_step->setInterval(100);
        m_step->start();
        return;
    }
    greet();
}

void LocalDialogue::greet()
{
    m_env.activity.holdMarker();
    m_holdsMarker = true;
    const ServerIdentity &id = m_env.identity;
    const QDateTime now = m_env.core.clock.now();
    m_vars.stampId = StampId(now);
    m_vars.dateText = DateText(now);
    m_vars.traceText = TraceText(id.hostName, id.version, m_vars.stampId, m_vars.dateText, id.zoneText);
    m_vars.greetingStamp = '<' + m_vars.stampId + '@' + id.hostName + '>';
    const bool mailer1 = !isMailer2Port(m_port);
    if (onPop3Port()) {
        m_env.core.monitor.debug(mailer1 ? QStringLiteral("----- Vesk > Mailer1 -----")
                                    : QStringLiteral("----- Vesk > Mailer2 -----"));
        m_phase = Phase::Ready;
        sendTCP("+OK Vesk Pop3 server at " + id.hostName + " starting. " + m_vars.greetingStamp);
    } else {
        m_env.core.monitor.debug(mailer1 ? QStringLiteral("----- Vesk < Mailer1 -----")
                                    : QStringLiteral("----- Vesk < Mailer2 -----"));
        m_phase = Phase::Ready;
        sendTCP("220 " + id.hostName + " Vesk Mail Server ready at " + m_vars.dateText + ' ' + id.zoneText);
    }
    processInput();
}

void LocalDialogue::readable()
{
    if (m_phase != Phase::Closing)
        processInput();
}

void LocalDialogue::received(const QByteArray &bytes)
{
    if (m_phase == Phase::Closing)
        return;
    restartIdle();
    m_input += bytes;
    const bool busy = m_phase == Phase::Waiting || m_phase == Phase::LoginWait || m_phase == Phase::Pausing
        || m_phase == Phase::Streaming;
    if (busy && m_input.size() - m_inputPos > MaxPendingInput) {
        // A peer that keeps sending without reading the replies.
        m_phase = Phase::Closing;
        m_streamer.reset();
        endDialogue("x");
        m_sink.close();
        return;
    }
    processInput();
}

void LocalDialogue::sendEmpty()
{
    if (m_phase == Phase::Streaming)
        streamMore();
    else if (m_phase == Phase::Ready || m_phase == Phase::Data)
        processInput();
}

void LocalDialogue::disconnected()
{
    if (m_phase == Phase::Closing)
        return;
    // A message cut off in the middle of DATA is not filed.
    m_phase = Phase::Closing;
    m_body.reset();
    m_streamer.reset();
    endDialogue("");
}

void LocalDialogue::childError()
{
    if (m_phase == Phase::Closing)
        return;
    m_phase = Phase::Closing;
    m_body.reset();
    m_streamer.reset();
    sendTCP("-ERR unknown command.");
    endDialogue("x");
    m_sink.closeAfterSend();
}

void LocalDialogue::serverClosing()
{
    m_phase = Phase::Closing;
    m_body.reset();
    m_streamer.reset();
    setPop3Active(false);
    if (m_holdsMarker)
        m_env.activity.dropMarker();
    m_holdsMarker = false;
    m_idle->stop();
    m_step->stop();
}

void LocalDialogue::timedOut()
{
    m_idle->stop();
    if (m_phase == Phase::Closing)
        return;
    m_phase = Phase::Closing;
    m_body.reset();
    m_streamer.reset();
    endDialogue("x");
    m_sink.close();
}

void LocalDialogue::endDialogue(const char *markerResult)
{
    setPop3Active(false);
    if (m_holdsMarker)
        m_env.activity.releaseMarker(markerResult);
    m_holdsMarker = false;
    m_idle->stop();
    m_step->stop();
}

void LocalDialogue::restartIdle()
{
    m_idle->start();
}

// --- input ---

void LocalDialogue::takeInput()
{
    if (m_phase != Phase::Ready && m_phase != Phase::Data)
        return;
    if (m_input.size() - m_inputPos >= InputBound)
        return;
    const QByteArray bytes = m_sink.receive();
    if (bytes.isEmpty())
        return;
    restartIdle();
    m_input += bytes;
}

void LocalDialogue::processInput()
{
    if (m_processing)
        return;
    m_processing = true;
    takeInput();
    int commands = 0;
    while (m_inputPos < m_input.size()) {
        if (m_phase == Phase::Data) {
            feedData();
            continue;
        }
        if (m_phase != Phase::Ready)
            break;
        // A fair share per turn; the rest when the replies have gone out.
        if (commands == CommandsPerTurn || m_sink.queuedBytes() > MaxQueuedOutput)
            break;
        QByteArray line;
        if (!takeCommandLine(line))
            break;
        ++commands;
        showCommand(line);
        ServerJudge::judge(*this, line);
    }
    if (m_inputPos > 0) {
        m_input.remove(0, m_inputPos);
        m_inputPos = 0;
    }
    m_processing = false;
}

void LocalDialogue::showCommand(const QByteArray &line)
{
    const QByteArray command = CommandLine::split(line).command;
    const bool auth = command.compare("AUTH", Qt::CaseInsensitive) == 0;
    // The lines that answer an AUTH's challenges are the user name and the
    // password in base64: none of them is shown.
    const bool secret = m_afterAuth && !auth && lookupServerCommand(command) == ServerCommand::Unknown;
    if (!secret)
        m_afterAuth = auth;
    if (!m_env.core.monitor.isOpen())
        return;
    m_env.core.monitor.debug(secret ? QString(line.size(), QLatin1Char('*')) : QString::fromLatin1(line));
}

bool LocalDialogue::takeCommandLine(QByteArray &line)
{
    for (;;) {
        const qsizetype end = m_input.indexOf("\r\n", m_inputPos);
        const qsizetype length = (end < 0 ? m_input.size() : end) - m_inputPos;
        if (length > MaxCommandLine && !m_discarding) {
            m_discarding = true;
            m_discardHead = m_input.mid(m_inputPos, MaxCommandLine);
        }
        if (end < 0) {
            if (m_discarding) {
                // Keep a last CR: it may be the first half of the CR LF.
                m_inputPos = m_input.endsWith('\r') ? m_input.size() - 1 : m_input.size();
            }
            return false;
        }
        m_inputPos = end + 2;
        if (!m_discarding) {
            line = m_input.mid(m_inputPos - 2 - length, length);
            return true;
        }
        m_discarding = false;
        unknownCommand(CommandLine::split(m_discardHead).command);
        m_discardHead.clear();
        if (m_phase != Phase::Ready)
            return false;
    }
}

void LocalDialogue::feedData()
{
    const QByteArrayView rest = QByteArrayView(m_input).sliced(m_inputPos);
    const qsizetype taken = m_body->feed(rest);
    if (m_env.core.monitor.isOpen())
        m_env.core.monitor.debug(QString::fromLatin1(rest.first(taken)));
    if (++m_dataBlocks % 21 == 0)
        m_env.view.progress();
    m_inputPos += taken;
    if (m_body->complete()) {
        std::unique_ptr<SmtpBody> body = std::move(m_body);
        m_phase = Phase::Ready;
        ServerJudge::dataEnded(*this, *body);
    }
}

// --- replies ---

void LocalDialogue::sendTCP(const QByteArray &text)
{
    m_sink.send(replyLine(text));
}

QByteArray LocalDialogue::replyLine(const QByteArray &text)
{
    restartIdle();
    if (m_env.core.monitor.isOpen())
        m_env.core.monitor.debug(QLatin1Char('<') + QString::fromLatin1(text));
    return text + "\r\n";
}

namespace {

// The command as the client wrote it, but as one short line: a reply stays
// well within POP3's 512 characters, and a CR or other control byte sent
// back could break the client's reading of the reply.
QByteArray echoOf(const QByteArray &command)
{
    QByteArray echo = command.left(LocalDialogue::MaxEcho);
    for (char &c : echo) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    if (command.size() > LocalDialogue::MaxEcho)
        echo += "...";
    return echo;
}

} // namespace

void LocalDialogue::failurePath(const QByteArray &command)
{
    setPop3Active(false);
    if (onPop3Port())
        sendTCP("-ERR unknown command \"" + echoOf(command) + "\".");
    else
        sendTCP("502 unimplemented");
}

void LocalDialogue::unknownCommand(const QByteArray &command)
{
    failurePath(command);
    if (++m_unknownInRow < MaxUnknownInRow)
        return;
    m_phase = Phase::Closing;
    endDialogue("x");
    m_sink.closeAfterSend();
}

void LocalDialogue::refuseForeign()
{
    m_phase = Phase::Closing;
    m_body.reset();
    m_streamer.reset();
    endDialogue("x");
    m_sink.close();
}

void LocalDialogue::answerLogin(bool passed, const QByteArray &reply)
{
    const qint64 wait = m_env.activity.logins().judged(passed, m_env.core.clock.now());
    m_loginReply = reply;
    m_loginPassed = passed;
    if (wait <= 0) {
        loginAnswered();
        return;
    }
    m_phase = Phase::LoginWait;
    m_idle->stop();
    m_step->setInterval(int(wait));
    m_step->start();
}

void LocalDialogue::loginAnswered()
{
    m_step->stop();
    m_phase = Phase::Ready;
    sendTCP(std::exchange(m_loginReply, {}));
    if (!m_loginPassed && ++m_failedLogins >= MaxFailedLogins) {
        m_phase = Phase::Closing;
        endDialogue("x");
        m_sink.closeAfterSend();
        return;
    }
    processInput();
}

void LocalDialogue::setPop3Active(bool active)
{
    if (active == m_pop3Active)
        return;
    m_pop3Active = active;
    if (active)
        m_env.activity.pop3Began();
    else
        m_env.activity.pop3Ended();
}

// --- TOP and RETR ---

void LocalDialogue::retrieve(const QByteArray &command, int number, int topLines)
{
    m_retrieveCommand = command;
    m_retrieveNumber = number;
    m_topLines = topLines;
    m_phase = Phase::Pausing;
    // The first piece is read during the pause, so that it leaves the moment
    // the pause is over.
    prepareFirstPiece();
    if (m_env.config.lookupPauseMs <= 0) {
        lookupDone();
        return;
    }
    m_step->setInterval(m_env.config.lookupPauseMs);
    m_step->start();
}

void LocalDialogue::prepareFirstPiece()
{
    m_firstPiece.clear();
    const MessageListing::Entry *entry = m_vars.listing.at(m_retrieveNumber);
    if (entry) {
        m_streamer = std::make_unique<MessageStreamer>(
            m_env.core.store.filePath(m_vars.listing.box(), entry->fileName), m_topLines);
        if (!m_streamer->open())
            m_streamer.reset();
    }
    if (!m_streamer)
        return;
    m_firstPiece = replyLine("+OK " + QByteArray::number(m_streamer->fileSize()) + " octets");
    m_firstPieceEnds = fillPiece(m_firstPiece);
}

void LocalDialogue::lookupDone()
{
    m_phase = Phase::Ready;
    if (!m_streamer) {
        // Gone since the listing was taken (the box window, the other mailer).
        failurePath(m_retrieveCommand);
        processInput();
        return;
    }
    if (m_topLines < 0) {
        m_vars.retrieved = true;
        m_env.core.state.retrieved = true;
    }
    m_phase = Phase::Streaming;
    // The reply line and the text in one block: a reply line sent on its own
    // would wait for the peer's delayed acknowledgement before the text.
    sendPiece(std::exchange(m_firstPiece, {}), m_firstPieceEnds);
}

bool LocalDialogue::fillPiece(QByteArray &out)
{
    out.reserve(out.size() + StreamBudget + 4096);
    MessageStreamer::LineObserver observer;
    if (m_env.core.monitor.isOpen())
        observer = [this](const QByteArray &line) { m_env.core.monitor.debug(QString::fromLatin1(line)); };
    return m_streamer->fill(out, StreamBudget, observer, [this] { m_env.view.progress(); });
}

void LocalDialogue::sendPiece(const QByteArray &piece, bool last)
{
    m_sink.send(piece);
    restartIdle();
    if (last)
        finishStreaming();
}

void LocalDialogue::streamMore()
{
    QByteArray piece;
    const bool last = fillPiece(piece);
    sendPiece(piece, last);
}

void LocalDialogue::finishStreaming()
{
    m_streamer.reset();
    m_phase = Phase::Ready;
    processInput();
}

// --- DATA and QUIT ---

void LocalDialogue::beginData(QByteArray head, SmtpBody::HeaderFix fix)
{
    m_body = std::make_unique<SmtpBody>(std::move(head), m_env.config.maxMessageBytes);
    auto spool = std::make_unique<StagedFile>(m_env.core.store.folderPath(Box::OutBox));
    // A spool that cannot be made refuses the message at its end.
    if (!spool->open())
        m_env.core.monitor.debug(spool->result().error);
    m_body->spoolTo(std::move(spool), std::move(fix));
    m_dataBlocks = 0;
    m_phase = Phase::Data;
    if (!m_holdsMarker) {
        m_env.activity.holdMarker();
        m_holdsMarker = true;
    }
}

void LocalDialogue::quit()
{
    m_vars.pop3Authenticated = false;
    m_vars.smtpAuthenticated = false;
    m_vars.user.clear();
    if (m_holdsMarker)
        m_env.activity.releaseMarker("");
    m_holdsMarker = false;
    if (onPop3Port()) {
        sendTCP("+OK VESK Pop server at localhost signing off.");
        m_env.view.setDisplayMode(0);
        // The POP3 end counts as a running POP3 dialogue until it is done.
        const bool heldPop3 = m_pop3Active;
        m_pop3Active = false;
        m_env.ends.pop3End(m_port, m_vars.retrieved, heldPop3);
    } else {
        sendTCP("221 Vesk Smtp closing connection");
        m_env.ends.smtpEnd(m_port);
    }
    m_idle->stop();
    m_step->stop();
    m_phase = Phase::Closing;
    m_sink.closeAfterSend();
}

} // namespace vesk
