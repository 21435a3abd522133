#include "session/SmtpDialogue.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "session/ClientJudge.h"
#include "session/ClientLink.h"
#include "session/SessionConfig.h"
#include "session/SessionContext.h"
#include "store/MessageStore.h"

#include <algorithm>
#include <cctype>

namespace vesk {

namespace {

enum : int {
    StateHelo = 2,
    StateRset = 3,
    StateRcpt = 4,
    StateData = 5,
    StateText = 6,
    StateSent = 7,
};

// "250-..." lines of a multi-line reply come before the line that answers.
bool isContinuation(const QByteArray &line)
{
    return line.size() >= 4 && std::isdigit(uchar(line[0])) && std::isdigit(uchar(line[1]))
        && std::isdigit(uchar(line[2])) && line[3] == '-';
}

// Lines go out at most this many at a time before the queue must drain.
constexpr int LinesPerRound = 100;

} // namespace

SmtpDialogue::SmtpDialogue(ClientJudge &judge)
    : m_judge(judge)
{ }

void SmtpDialogue::begin()
{
    m_contents = {};
    m_index = 0;
}

void SmtpDialogue::reply(const QByteArray &line)
{
    if (isContinuation(line))
        return;
    const QByteArray &code = m_judge.words().word1;
    const int state = m_judge.clientState();
    // Only a real acceptance counts: a file is deleted on the reply to its
    // final ".", so that reply must be 250, and the text goes out only after 354.
    const QByteArray expected = state == SmtpGreeting ? "220" : state == StateText ? "354" : "250";
    const bool ok = code == expected || (state == SmtpQuit && code == "221");
    if (!ok) {
        m_judge.failurePath();
        return;
    }
    switch (state) {
    case SmtpGreeting:
        m_judge.sendCommand("HELO " + m_judge.link().localHostName().toUtf8());
        m_judge.setClientState(StateHelo);
        break;
    case StateHelo:
        m_judge.sendCommandAndStep("RSET");
        break;
    case StateRset:
        nextMessage();
        break;
    case StateRcpt:
        recipient();
        break;
    case StateData:
        m_judge.context().view.dialPanelStatus(QStringLiteral("Upload"));
        m_judge.sendCommandAndStep("DATA");
        m_judge.context().view.showDirection(QStringLiteral("<"));
        break;
    case StateText:
        sendText();
        break;
    case StateSent:
        accepted();
        break;
    case SmtpQuit:
        quitOk();
        break;
    default:
        m_judge.failurePath();
        break;
    }
}

void SmtpDialogue::quit()
{
    m_judge.sendCommand("QUIT");
    m_judge.setClientState(SmtpQuit);
}

void SmtpDialogue::nextMessage()
{
    const SessionContext &context = m_judge.context();
    m_contents = OutBoxContents::read(context.core.store, context.core.pump, context.config.MaxMessageBytes);
    if (!m_judge.still(StateRset))
        return;
    if (!m_contents.found()) {
        quit();
        return;
    }
    if (m_contents.fileName == OutBoxContents::NonVeskContents) {
        quit();
        context.core.messenger.beep();
        context.core.messenger.message(QStringLiteral("［送］の中にVeskの送信情報がないメールが存在します。\r"
                                                 "送受信箱でゴミ取りを行ってから再度送信してください。"));
        return;
    }
    if (m_contents.fileName == OutBoxContents::TooLarge) {
        m_judge.fail(QStringLiteral("VeskTalk< 送信するメールが大きすぎます >"));
        return;
    }
    m_index = 0;
    m_judge.sendCommandAndStep("MAIL FROM: <" + m_contents.sender + '>');
}

void SmtpDialogue::recipient()
{
    m_judge.sendCommand("RCPT TO: <" + m_contents.recipients.at(m_index) + '>');
    ++m_index;
    if (m_index >= m_contents.recipients.size())
        m_judge.setClientState(StateData);
}

void SmtpDialogue::sendText()
{
    const SessionContext &context = m_judge.context();
    ClientLink &link = m_judge.link();
    const bool show = context.core.monitor.isOpen();
    const int rounds = std::max(1, context.config.OverTime) * 1000;
    qint64 textBytes = 0;
    for (const QByteArray &line : std::as_const(m_contents.lines))
        textBytes += line.size() + 2;
    m_judge.allowTransfer(textBytes);
    QByteArray chunk;
    for (qsizetype i = 0; i < m_contents.lines.size(); ++i) {
        const QByteArray &line = m_contents.lines.at(i);
        // Stored text keeps its doubled dots; a bare "." can only come from a
        // file written by hand, and would end the text early.
        chunk += line == "." ? QByteArray("..") : line;
        chunk += "\r\n";
        if (show)
            context.core.monitor.debug(QLatin1Char('<') + QString::fromUtf8(line));
        if ((i + 1) % LinesPerRound == 0) {
            link.send(chunk);
            chunk.clear();
            context.view.progress();
            link.restartWatchdog();
            // The watchdog ends this wait when the provider stops reading.
            context.core.pump.waitUntil(
                [&] { return !link.sendPending() || !context.core.state.running(); }, rounds, 1);
            if (!m_judge.still(StateText))
                return;
        }
    }
    link.send(chunk);
    m_judge.sendCommandAndStep(".");
}

void SmtpDialogue::accepted()
{
    const SessionContext &context = m_judge.context();
    MailView &view = context.view;
    if (!view.boxWindowOpen() && (context.config.ManuSend || context.config.AutoDevideDisp))
        view.showBoxWindow();
    const QString fileName = m_contents.fileName;
    m_contents = {};
    if (!context.core.store.remove(Box::OutBox, fileName)) {
        // It went out; left in the out-box it would go out again.
        const QString text = QStringLiteral("送信したメールを［送］から削除できません。\r\n") + fileName;
        m_judge.fail(QStringLiteral("VeskTalk< ") + text.simplified() + QStringLiteral(" >"));
        context.core.messenger.beep();
        context.core.messenger.message(text);
        return;
    }
    if (view.boxWindowOpen())
        view.messageRemoved(Box::OutBox, fileName);
    if (context.core.store.checkDir(Box::OutBox).count > 0) {
        m_judge.sendCommand("RSET");
        m_judge.setClientState(StateRset);
    } else {
        quit();
    }
}

void SmtpDialogue::quitOk()
{
    const SessionContext &context = m_judge.context();
    context.view.setDisplayMode(6);
    m_judge.setDataMode(false);
    m_contents = {};
    m_judge.link().stopWatchdog();
    m_judge.link().clientOff();
    if (context.core.state.running())
        context.core.state.marker.clear();
    m_judge.setClientState(ClientIdle);
    if (context.view.boxWindowOpen() && !context.config.AutoDevideDisp)
        context.view.remainCheck();
}

} // namespace vesk
