#include "session/Pop3Dialogue.h"

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

namespace vesk {

namespace {

enum : int {
    StateUser = 12,
    StatePass = 13,
    StateStat = 14,
    StateList = 15,
    StateRetr = 16,
    StateNext = 17,
};

QByteArray number(int value)
{
    return QByteArray::number(value);
}

} // namespace

Pop3Dialogue::Pop3Dialogue(ClientJudge &judge)
    : m_judge(judge)
    , m_message(judge.context().config.MaxMessageBytes)
    , m_journal(judge.context().core.store.root() + QStringLiteral("/.download-journal"))
{ }

void Pop3Dialogue::begin()
{
    m_mailTotal = 0;
    m_mailCurrent = 0;
    m_stored = 0;
    m_deletesMarked = false;
    m_greeting.clear();
    m_stlsOffered = false;
    m_message.clear();
    m_message.setLimit(m_judge.context().config.MaxMessageBytes);
    m_journal.load();
}

void Pop3Dialogue::reply(const QByteArray &line)
{
    if (m_judge.clientState() == Pop3CapaList) {
        capability(line);
        return;
    }
    const ReplyWords &words = m_judge.words();
    const int state = m_judge.clientState();
    if (state == Pop3Auth || state == Pop3AuthResponse || state == Pop3AuthError) {
        authReply(line);
        return;
    }
    if (words.word1 == "-ERR") {
        if (m_judge.clientState() == Pop3Capa || m_judge.clientState() == Pop3Stls)
            refuseWithoutTls();
        else
            m_judge.failurePath();
        return;
    }
    // A POP3 server answers nothing else: this line is text out of place.
    if (words.word1 != "+OK") {
        m_judge.outOfStep(QStringLiteral("応答ではない行が届きました"));
        return;
    }
    const SessionConfig &config = m_judge.context().config;
    switch (m_judge.clientState()) {
    case Pop3Greeting:
        greeting(line);
        break;
    case Pop3Capa:
        m_stlsOffered = false;
        m_judge.setClientState(Pop3CapaList);
        break;
    case Pop3Stls:
        // The login waits until the server has proved who it is.
        m_judge.setClientState(Pop3Handshake);
        m_judge.link().startTls();
        break;
    case StateUser:
        m_judge.sendCommandAndStep("PASS " + config.Password.toUtf8());
        break;
    case StatePass:
        m_judge.sendCommandAndStep("STAT");
        break;
    case StateStat:
        stat(words);
        break;
    case StateList:
        list(words);
        break;
    case StateRetr:
        m_judge.setDataMode(true);
        m_judge.context().view.showDirection(QStringLiteral(">"));
        break;
    case StateNext:
        if (m_mailCurrent > 0) {
            sendList();
        } else {
            m_judge.sendCommand("QUIT");
            m_judge.setClientState(Pop3Quit);
        }
        break;
    case Pop3Quit:
        quitOk();
        break;
    default:
        m_judge.failurePath();
        break;
    }
}

void Pop3Dialogue::greeting(const QByteArray &line)
{
    if (m_judge.context().config.POP3_Security == Security::StartTls && !m_judge.link().secure()) {
        m_greeting = line;
        m_judge.sendCommand("CAPA");
        m_judge.setClientState(Pop3Capa);
        return;
    }
    login(line);
}

void Pop3Dialogue::capability(const QByteArray &line)
{
    if (line != ".") {
        // One capability per line, its name first (RFC 2449).
        if (line.split(' ').first().toUpper() == "STLS")
            m_stlsOffered = true;
        return;
    }
    if (!m_stlsOffered) {
        refuseWithoutTls();
        return;
    }
    m_judge.sendCommand("STLS");
    m_judge.setClientState(Pop3Stls);
}

void Pop3Dialogue::encrypted()
{
    login(m_greeting);
}

void Pop3Dialogue::refuseWithoutTls()
{
    // No plain-text fallback: the password would travel readable.
    m_judge.fail(QStringLiteral("VeskTalk< サーバーが STLS（暗号化）に応じないため中止しました >"));
}

void Pop3Dialogue::login(const QByteArray &line)
{
    const SessionConfig &config = m_judge.context().config;
    if (config.pop3Bearer()) {
        startAuth();
        return;
    }
    const QByteArray user = config.UserID.toUtf8();
    if (!config.Apop) {
        m_judge.sendCommand("USER " + user);
        m_judge.setClientState(StateUser);
        return;
    }
    const qsizetype open = line.indexOf('<');
    const qsizetype close = open < 0 ? -1 : line.indexOf('>', open);
    if (close < 0) {
        m_judge.failurePath();
        return;
    }
    const QByteArray stamp = line.mid(open, close - open + 1);
    m_judge.sendCommand("APOP " + user + ' ' + TMD5::apopDigest(stamp, config.Password.toUtf8()));
    m_judge.setClientState(StatePass);
}

bearer::Mechanism Pop3Dialogue::mechanism() const
{
    return m_judge.context().config.POP3_Auth == PopAuth::XOAuth2 ? bearer::Mechanism::XOAuth2
                                                                   : bearer::Mechanism::OAuthBearer;
}

void Pop3Dialogue::startAuth()
{
    // A bearer token is as good as a password to whoever reads it.
    if (!m_judge.link().secure()) {
        m_judge.fail(QStringLiteral(
            "VeskTalk< 暗号化されていない接続ではアクセストークンを送りません。POP3 の暗号化を設定してください >"));
        return;
    }
    // Two steps (RFC 5034): some servers refuse the response on the AUTH
    // line, and a token is longer than the 255 octets a POP3 line may be.
    m_judge.sendCommand("AUTH " + bearer::name(mechanism()));
    m_judge.setClientState(Pop3Auth);
}

void Pop3Dialogue::authReply(const QByteArray &line)
{
    const QByteArray &word1 = m_judge.words().word1;
    const bool challenge = word1 == "+";
    switch (m_judge.clientState()) {
    case Pop3Auth: {
        if (!challenge) {
            m_judge.fail(QStringLiteral("VeskTalk< サーバーがこの認証方式に対応していません >"));
            return;
        }
        const SessionConfig &config = m_judge.context().config;
        const QByteArray response = bearer::response(mechanism(), config.UserID, config.AccessToken).toBase64();
        m_judge.sendSecret(response, QString(response.size(), u'*'));
        m_judge.setClientState(Pop3AuthResponse);
        return;
    }
    case Pop3AuthResponse:
        if (word1 == "+OK") {
            m_judge.sendCommand("STAT");
            m_judge.setClientState(StateStat);
            return;
        }
        m_judge.setTokenRejected();
        if (challenge) {
            // The server says why and waits for the exchange to end.
            m_judge.context().core.monitor.debug(bearer::refusalLine(QByteArrayView(line).sliced(1)));
            m_judge.sendCommand(bearer::errorAnswer(mechanism()));
            m_judge.setClientState(Pop3AuthError);
            return;
        }
        m_judge.fail(QStringLiteral("VeskTalk< サーバーがアクセストークンを受け付けませんでした >"));
        return;
    default:
        // The answer to the error status: the exchange is over.
        m_judge.fail(QStringLiteral("VeskTalk< OAuth 認証に失敗しました >"));
        return;
    }
}

void Pop3Dialogue::stat(const ReplyWords &words)
{
    const SessionContext &context = m_judge.context();
    m_mailTotal = m_mailCurrent = std::max(0, ReplyWords::number(words.word2));
    if (context.host.connectionTestRunning() || m_mailTotal == 0 || !context.config.ServerON) {
        m_judge.sendCommand("QUIT");
        m_judge.setClientState(Pop3Quit);
        return;
    }
    if (context.core.state.checkTrigger != TriggerPeriodic)
        context.view.showBoxWindow();
    sendList();
}

void Pop3Dialogue::sendList()
{
    m_judge.sendCommand("LIST " + number(m_mailCurrent));
    m_judge.setClientState(StateList);
}

void Pop3Dialogue::list(const ReplyWords &words)
{
    const SessionContext &context = m_judge.context();
    m_message.clear();
    // The answer names the message asked for; another number is the answer
    // to something else.
    if (words.word2 != number(m_mailCurrent)) {
        m_judge.outOfStep(QStringLiteral("LIST の応答が別のメールのものです"));
        return;
    }
    bool isNumber = false;
    qint64 size = words.word3.toLongLong(&isNumber);
    if (!isNumber)
        size = 0;
    m_listedSize = size;
    if (size == 0) {
        skipMessage();
        return;
    }
    if (size > m_message.limit()) {
        // Held in memory while it arrives: too large to take, so it stays.
        context.core.monitor.debug(
            QStringLiteral("VeskTalk< 大きすぎるメールはサーバーに残します : %1 octets >").arg(size));
        skipMessage();
        return;
    }
    context.core.pump.pause(context.config.RetrPauseMs);
    if (!m_judge.still(StateList))
        return;
    m_message.expect(size);
    m_judge.sendCommandAndStep("RETR " + number(m_mailCurrent));
    m_judge.allowTransfer(size);
    const QString progress = QStringLiteral("%1/%2").arg(m_mailTotal - m_mailCurrent + 1).arg(m_mailTotal);
    if (context.view.boxWindowOpen())
        context.view.setBoxCaption(QStringLiteral("送受信箱 Down ") + progress);
    context.view.dialPanelStatus(QStringLiteral("Download ") + progress);
}

void Pop3Dialogue::skipMessage()
{
    --m_mailTotal;
    --m_mailCurrent;
    m_judge.sendCommand("STAT");
    m_judge.setClientState(StateNext);
}

void Pop3Dialogue::dataBlock(const QByteArray &block)
{
    const SessionContext &context = m_judge.context();
    if (m_judge.transferProgress(block.size())) {
        m_judge.link().restartWatchdog();
        context.view.progress();
    }
    if (!context.core.state.running()) {
        m_judge.setDataMode(false);
        return;
    }
    switch (m_message.add(block)) {
    case IncomingMessage::Result::More:
        return;
    case IncomingMessage::Result::TooLarge:
        m_message.clear();
        m_judge.fail(QStringLiteral("VeskTalk< 大きすぎるメールはサーバーに残します : %1 bytes 超 >")
                         .arg(m_message.limit()));
        return;
    case IncomingMessage::Result::OutOfStep:
        m_message.clear();
        m_judge.outOfStep(QStringLiteral("メールの終わりの後に行が続いています"));
        return;
    case IncomingMessage::Result::Complete:
        m_judge.setDataMode(false);
        if (m_message.skipping()) {
            // Left at the provider, as a message too large to take.
            m_message.clear();
            skipMessage();
            return;
        }
        messageEnd();
        return;
    }
}

void Pop3Dialogue::longDataLine()
{
    if (m_message.skipping())
        return;
    const QByteArray key = QByteArray::number(m_listedSize) + ':' + DownloadJournal::keyOf(m_message.content());
    m_message.skipRest();
    m_judge.context().core.monitor.debug(
        QStringLiteral("VeskTalk< 1行が長すぎるメールはサーバーに残します : %1 octets >").arg(m_listedSize));
    tellLeftOnce(key,
        QStringLiteral("1行が長すぎて受信できないメールがあります（%1 バイト）。\r\n"
                       "このメールはサーバーに残し、ほかのメールを受信します。")
            .arg(m_listedSize));
}

void Pop3Dialogue::tellLeftOnce(const QByteArray &key, const QString &text)
{
    if (m_told.contains(key))
        return;
    m_told.insert(key);
    m_judge.context().core.messenger.message(text);
}

void Pop3Dialogue::messageEnd()
{
    // The watchdog gave up on this session: keep nothing, delete nothing.
    if (m_judge.cancelled()) {
        m_message.clear();
        return;
    }
    QString fileName;
    if (!storeMessage(&fileName))
        return;
    const SessionContext &context = m_judge.context();
    context.core.pump.pause(context.config.SavedPauseMs);
    // Stored either way; DELE only while the session is still ours.
    if (!m_judge.still(StateRetr))
        return;
    if (!fileName.isEmpty())
        showStored(fileName);
    m_deletesMarked = true;
    m_judge.sendCommandAndStep("DELE " + number(m_mailCurrent));
    --m_mailCurrent;
}

bool Pop3Dialogue::storeMessage(QString *fileName)
{
    const SessionContext &context = m_judge.context();
    const MessageStore &store = context.core.store;
    // Stored by a download that died before its QUIT: the server kept it, we
    // have it already, so only the DELE is still to do.
    const QByteArray key = DownloadJournal::keyOf(m_message.content());
    if (m_journal.excuse(key)) {
        m_message.clear();
        context.core.monitor.debug(QStringLiteral("VeskTalk< 受信済みのメールです >"));
        fileName->clear();
        return true;
    }
    const QString name = store.newFileName(store.timeStampGet(), { Box::InBox, Box::InBox1, Box::InBox2 });
    QString error;
    const bool saved = store.saveContent(Box::InBox, name, m_message.content(), &error);
    m_message.clear();
    if (!saved) {
        // Not on disk: the message must stay at the provider, so no DELE.
        const QString text = QStringLiteral("受信したメールを保存できません。\r\n") + error;
        m_judge.fail(QStringLiteral("VeskTalk< ") + text.simplified() + QStringLiteral(" >"));
        context.core.messenger.beep();
        context.core.messenger.message(text);
        return false;
    }
    // Should the journal fail, an interrupted download may store it twice:
    // more than wanted, but nothing lost.
    m_journal.add(key);
    ++m_stored;
    *fileName = name;
    return true;
}

void Pop3Dialogue::showStored(const QString &fileName)
{
    const SessionContext &context = m_judge.context();
    const MailHost::Placement placed
        = context.config.DevideON ? context.host.devideGo(fileName) : MailHost::Placement { Box::InBox, fileName };
    if (context.view.boxWindowOpen())
        context.view.messageAdded(placed.box, placed.fileName);
    else if (context.core.state.checkTrigger != TriggerPeriodic || context.config.AutoDevideDisp)
        context.view.showBoxWindow();
}

void Pop3Dialogue::quitOk()
{
    const SessionContext &context = m_judge.context();
    // The server has carried out every DELE of this session, and whatever an
    // interrupted one left there was served again and deleted now. Not so
    // when only the count was asked for.
    if (context.config.ServerON && !context.host.connectionTestRunning())
        m_journal.clear();
    m_judge.setDataMode(false);
    m_judge.link().stopWatchdog();
    m_judge.link().clientOff();
    if (context.core.state.running())
        context.core.state.marker.clear();
    if (context.config.ServerON)
        context.view.setDisplayMode(0);
}

} // namespace vesk
