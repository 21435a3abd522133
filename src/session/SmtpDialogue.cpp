#include "session/SmtpDialogue.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "mail/TMD5.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "session/BearerSasl.h"
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
    m_startTlsOffered = false;
    m_mechanisms.clear();
    m_mechanism = SmtpAuth::None;
    m_authStage = 0;
    m_passedOver.clear();
    m_judge.context().core.state.unsendable = 0;
}

void SmtpDialogue::reply(const QByteArray &line)
{
    const int state = m_judge.clientState();
    if (isContinuation(line)) {
        if (state == SmtpEhlo)
            capability(line.mid(4));
        return;
    }
    const QByteArray &code = m_judge.words().word1;
    if (state == SmtpAuthStep) {
        authReply(code);
        return;
    }
    if (state == SmtpStartTls && code != "220") {
        m_judge.fail(
            QStringLiteral("VeskTalk< サーバーが STARTTLS（暗号化）を受け付けないため中止しました >"));
        return;
    }
    // Only a real acceptance counts: a file is deleted on the reply to its
    // final ".", so that reply must be 250, and the text goes out only after 354.
    const QByteArray expected = state == SmtpGreeting || state == SmtpStartTls ? "220"
        : state == StateText                                                   ? "354"
                                                                               : "250";
    const bool ok = code == expected || (state == SmtpQuit && code == "221");
    if (!ok) {
        m_judge.failurePath();
        return;
    }
    switch (state) {
    case SmtpGreeting:
        if (wantsEhlo()) {
            m_judge.sendCommand("EHLO " + m_judge.link().localHostName().toUtf8());
            m_judge.setClientState(SmtpEhlo);
            break;
        }
        m_judge.sendCommand("HELO " + m_judge.link().localHostName().toUtf8());
        m_judge.setClientState(StateHelo);
        break;
    case SmtpEhlo:
        capability(line.mid(4));
        afterEhlo();
        break;
    case SmtpStartTls:
        // EHLO waits until the server has proved who it is.
        m_judge.setClientState(SmtpHandshake);
        m_judge.link().startTls();
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

void SmtpDialogue::encrypted()
{
    // What the server offered in plain text may have been forged.
    m_startTlsOffered = false;
    m_mechanisms.clear();
    m_judge.sendCommand("EHLO " + m_judge.link().localHostName().toUtf8());
    m_judge.setClientState(SmtpEhlo);
}

bool SmtpDialogue::wantsEhlo() const
{
    const SessionConfig &config = m_judge.context().config;
    return config.SMTP_Auth != SmtpAuth::None || config.SMTP_Security == Security::StartTls;
}

void SmtpDialogue::capability(const QByteArray &text)
{
    // "AUTH PLAIN LOGIN", or "AUTH=PLAIN LOGIN" as older servers put it.
    const QList<QByteArray> words = text.toUpper().simplified().replace('=', ' ').split(' ');
    if (words.first() == "STARTTLS")
        m_startTlsOffered = true;
    if (words.first() == "AUTH") {
        for (const QByteArray &word : words.mid(1))
            m_mechanisms.insert(word);
    }
}

void SmtpDialogue::afterEhlo()
{
    const SessionConfig &config = m_judge.context().config;
    if (config.SMTP_Security == Security::StartTls && !m_judge.link().secure()) {
        // No plain-text fallback: the login and the mail would travel readable.
        if (!m_startTlsOffered) {
            m_judge.fail(
                QStringLiteral("VeskTalk< サーバーが STARTTLS（暗号化）に応じないため中止しました >"));
            return;
        }
        m_judge.sendCommand("STARTTLS");
        m_judge.setClientState(SmtpStartTls);
        return;
    }
    if (config.SMTP_Auth != SmtpAuth::None) {
        startAuth();
        return;
    }
    ready();
}

void SmtpDialogue::startAuth()
{
    const SessionConfig &config = m_judge.context().config;
    const bool clearText = !m_judge.link().secure() && !config.SMTP_AuthPlain;
    const auto offered = [&](SmtpAuth mechanism) {
        switch (mechanism) {
        case SmtpAuth::Plain:
            return m_mechanisms.contains("PLAIN");
        case SmtpAuth::Login:
            return m_mechanisms.contains("LOGIN");
        case SmtpAuth::CramMd5:
            return m_mechanisms.contains("CRAM-MD5");
        case SmtpAuth::XOAuth2:
            return m_mechanisms.contains("XOAUTH2");
        case SmtpAuth::OAuthBearer:
            return m_mechanisms.contains("OAUTHBEARER");
        default:
            return false;
        }
    };
    m_mechanism = config.SMTP_Auth;
    if (m_mechanism == SmtpAuth::Automatic) {
        m_mechanism = SmtpAuth::None;
        const QList<SmtpAuth> choices = clearText
            ? QList<SmtpAuth> { SmtpAuth::CramMd5 }
            : QList<SmtpAuth> { SmtpAuth::Plain, SmtpAuth::Login, SmtpAuth::CramMd5 };
        for (SmtpAuth choice : choices) {
            if (offered(choice)) {
                m_mechanism = choice;
                break;
            }
        }
        if (m_mechanism == SmtpAuth::None) {
            m_judge.fail(QStringLiteral("VeskTalk< サーバーが使える認証方式を示しません >"));
            return;
        }
    }
    if (config.smtpBearer() && !m_judge.link().secure()) {
        // A bearer token is as good as a password to whoever reads it.
        m_judge.fail(QStringLiteral(
            "VeskTalk< 暗号化されていない接続ではアクセストークンを送りません。SMTP の暗号化を設定してください >"));
        return;
    }
    if (clearText && m_mechanism != SmtpAuth::CramMd5 && !config.smtpBearer()) {
        m_judge.fail(
            QStringLiteral("VeskTalk< 暗号化されていない接続ではパスワードを送りません（SMTP認証） >"));
        return;
    }
    if (!offered(m_mechanism)) {
        m_judge.fail(QStringLiteral("VeskTalk< サーバーがこの認証方式に対応していません >"));
        return;
    }
    m_authStage = 0;
    m_judge.setClientState(SmtpAuthStep);
    switch (m_mechanism) {
    case SmtpAuth::Plain: {
        const QByteArray response
            = ('\0' + config.smtpUser().toUtf8() + '\0' + config.smtpPassword().toUtf8()).toBase64();
        m_judge.sendSecret(
            "AUTH PLAIN " + response, QStringLiteral("AUTH PLAIN ") + QString(response.size(), u'*'));
        break;
    }
    case SmtpAuth::Login:
        m_judge.sendCommand("AUTH LOGIN");
        break;
    case SmtpAuth::XOAuth2:
    case SmtpAuth::OAuthBearer: {
        // The response on the AUTH line where the line stays within SMTP's
        // 512 octets (RFC 4954 4), as every server takes; a longer token
        // (Microsoft's are) follows the 334 on a line of its own.
        const QByteArray command = "AUTH " + bearer::name(bearerMechanism());
        const QByteArray response = bearerResponse();
        if (command.size() + 1 + response.size() + 2 <= 512) {
            m_authStage = 1;
            m_judge.sendSecret(command + ' ' + response,
                QString::fromLatin1(command) + u' ' + QString(response.size(), u'*'));
        } else {
            m_judge.sendCommand(command);
        }
        break;
    }
    default:
        m_judge.sendCommand("AUTH CRAM-MD5");
        break;
    }
}

void SmtpDialogue::authReply(const QByteArray &code)
{
    if (code == "235") {
        ready();
        return;
    }
    if (m_mechanism == SmtpAuth::XOAuth2 || m_mechanism == SmtpAuth::OAuthBearer) {
        bearerReply(code);
        return;
    }
    const SessionConfig &config = m_judge.context().config;
    const int stage = m_authStage++;
    QByteArray response;
    if (code == "334" && m_mechanism == SmtpAuth::Login && stage == 0) {
        response = config.smtpUser().toUtf8().toBase64();
    } else if (code == "334" && m_mechanism == SmtpAuth::Login && stage == 1) {
        response = config.smtpPassword().toUtf8().toBase64();
    } else if (code == "334" && m_mechanism == SmtpAuth::CramMd5 && stage == 0) {
        const auto challenge
            = QByteArray::fromBase64Encoding(m_judge.words().word2, QByteArray::AbortOnBase64DecodingErrors);
        if (!challenge || challenge.decoded.isEmpty()) {
            m_judge.failurePath();
            return;
        }
        response = (config.smtpUser().toUtf8() + ' '
            + TMD5::cramDigest(challenge.decoded, config.smtpPassword().toUtf8()))
                       .toBase64();
    } else if (code == "334") {
        m_judge.failurePath();
        return;
    } else {
        m_judge.fail(QStringLiteral("VeskTalk< SMTP認証が受け入れられませんでした >"));
        return;
    }
    m_judge.sendSecret(response, QString(response.size(), u'*'));
}

bearer::Mechanism SmtpDialogue::bearerMechanism() const
{
    return m_mechanism == SmtpAuth::XOAuth2 ? bearer::Mechanism::XOAuth2 : bearer::Mechanism::OAuthBearer;
}

QByteArray SmtpDialogue::bearerResponse() const
{
    const SessionConfig &config = m_judge.context().config;
    return bearer::response(bearerMechanism(), config.smtpUser(), config.AccessToken).toBase64();
}

void SmtpDialogue::bearerReply(const QByteArray &code)
{
    // Stage 0: AUTH went alone; 1: the response is out; 2: the error
    // status is answered.
    const int stage = m_authStage++;
    if (code == "334" && stage == 0) {
        const QByteArray response = bearerResponse();
        m_judge.sendSecret(response, QString(response.size(), u'*'));
        return;
    }
    m_judge.setTokenRejected();
    if (code == "334" && stage == 1) {
        // The server says why and waits for the exchange to end.
        m_judge.context().core.monitor.debug(bearer::refusalLine(m_judge.words().word2));
        m_judge.sendCommand(bearer::errorAnswer(bearerMechanism()));
        return;
    }
    m_judge.fail(stage >= 2 ? QStringLiteral("VeskTalk< OAuth 認証に失敗しました >")
                            : QStringLiteral("VeskTalk< サーバーがアクセストークンを受け付けませんでした >"));
}

void SmtpDialogue::ready()
{
    m_judge.sendCommand("RSET");
    m_judge.setClientState(StateRset);
}

void SmtpDialogue::quit()
{
    m_judge.sendCommand("QUIT");
    m_judge.setClientState(SmtpQuit);
}

void SmtpDialogue::nextMessage()
{
    const SessionContext &context = m_judge.context();
    for (;;) {
        m_contents = OutBoxContents::read(
            context.core.store, context.core.pump, context.config.MaxMessageBytes, m_passedOver);
        if (!m_judge.still(StateRset))
            return;
        if (!m_contents.found()) {
            quit();
            return;
        }
        if (m_contents.problem == OutBoxContents::Problem::None)
            break;
        passOver(m_contents);
    }
    m_index = 0;
    m_judge.sendCommandAndStep("MAIL FROM: <" + m_contents.sender + '>');
}

void SmtpDialogue::passOver(const OutBoxContents &contents)
{
    const SessionContext &context = m_judge.context();
    m_passedOver.insert(contents.fileName);
    context.core.state.unsendable = int(m_passedOver.size());
    const bool tooLarge = contents.problem == OutBoxContents::Problem::TooLarge;
    context.core.monitor.debug(QStringLiteral("VeskTalk< ") + contents.fileName
        + (tooLarge ? QStringLiteral(" : 送信するメールが大きすぎます >")
                    : QStringLiteral(" : Veskの送信情報がないため送信しません >")));
    if (m_told.contains(contents.fileName))
        return;
    m_told.insert(contents.fileName);
    context.core.messenger.beep();
    context.core.messenger.message(
        (tooLarge ? QStringLiteral("［送］の中に大きすぎて送信できないメールが存在します。\r\n")
                  : QStringLiteral("［送］の中にVeskの送信情報がないメールが存在します。\r"
                                   "送受信箱でゴミ取りを行ってから再度送信してください。\r\n"))
        + contents.fileName);
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
            const qint64 sent = chunk.size();
            chunk.clear();
            context.view.progress();
            link.restartWatchdog();
            // The watchdog ends this wait when the provider stops reading.
            context.core.pump.waitUntil(
                [&] { return !link.sendPending() || !context.core.state.running(); }, rounds, 1);
            if (!m_judge.still(StateText))
                return;
            m_judge.moved(sent);
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
    if (context.core.store.checkDir(Box::OutBox).count > m_passedOver.size()) {
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
