#include "session/Pop3Dialogue.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "mail/TMD5.h"
#include "platform/Clock.h"
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
    , m_kept(judge.context().core.store)
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
    const SessionConfig &config = m_judge.context().config;
    m_kept.begin(config.Host, config.UserID,
        { config.LeaveOnServer, config.LeaveDays, config.DeleteWithMailer }, m_journal.idLines());
    m_leaveFlow = false;
    m_plan.clear();
    m_fetchesLeft = 0;
    m_currentId.clear();
}

void Pop3Dialogue::reply(const QByteArray &line)
{
    if (m_judge.clientState() == Pop3CapaList) {
        capability(line);
        return;
    }
    if (m_judge.clientState() == Pop3UidlList) {
        uidlLine(line);
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
        else if (m_judge.clientState() == Pop3Uidl)
            noUidl();
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
    case Pop3Uidl:
        m_judge.setClientState(Pop3UidlList);
        break;
    case StateNext:
        if (m_leaveFlow) {
            nextStep();
        } else if (m_mailCurrent > 0) {
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
    if (m_kept.active() && !context.host.connectionTestRunning()) {
        m_leaveFlow = true;
        if (m_mailTotal > 0) {
            m_judge.sendCommand("UIDL");
            m_judge.setClientState(Pop3Uidl);
            return;
        }
        m_kept.listedNothing();
    }
    if (context.host.connectionTestRunning() || m_mailTotal == 0 || !context.config.ServerON) {
        m_judge.sendCommand("QUIT");
        m_judge.setClientState(Pop3Quit);
        return;
    }
    if (context.core.state.checkTrigger != TriggerPeriodic)
        context.view.showBoxWindow();
    sendList();
}

void Pop3Dialogue::uidlLine(const QByteArray &line)
{
    switch (m_kept.listed(line, m_mailTotal)) {
    case KeptOnServer::Listed::More:
        return;
    case KeptOnServer::Listed::Bad:
        m_kept.dropListing();
        m_judge.outOfStep(QStringLiteral("UIDL の応答が正しくありません"));
        return;
    case KeptOnServer::Listed::Done:
        listingDone();
        return;
    }
}

void Pop3Dialogue::listingDone()
{
    const SessionContext &context = m_judge.context();
    if (m_kept.wholesaleChange()) {
        const bool accepted = rebuiltAccepted();
        if (!m_judge.still(Pop3UidlList))
            return;
        if (!accepted) {
            // Nothing is forgotten: the known ids may come back.
            m_kept.dropListing();
            m_mailTotal = 0;
            m_judge.fail(
                QStringLiteral("VeskTalk< サーバーのメールIDがすべて変わったため受信を中止しました >"));
            return;
        }
    }
    // New mail is what has a new id, also when only counting.
    m_mailTotal = m_mailCurrent = m_kept.newCount();
    if (!context.config.ServerON) {
        m_judge.sendCommand("QUIT");
        m_judge.setClientState(Pop3Quit);
        return;
    }
    m_plan = m_kept.plan(context.core.clock.now());
    m_fetchesLeft
        = int(std::count_if(m_plan.cbegin(), m_plan.cend(), [](const auto &step) { return step.fetch; }));
    if (m_mailTotal > 0 && context.core.state.checkTrigger != TriggerPeriodic)
        context.view.showBoxWindow();
    nextStep();
}

bool Pop3Dialogue::rebuiltAccepted()
{
    // Asked once while the program runs; refused, later checks stop quietly.
    const QByteArray key = "rebuilt:" + m_kept.path().toUtf8();
    if (m_told.contains(key))
        return false;
    m_told.insert(key);
    const SessionContext &context = m_judge.context();
    const QString text = QStringLiteral("サーバーのメールIDがすべて入れ替わりました（新しいID %1 通）。\r\n"
                                        "このまま受信すると、受信済みのメールをもう一度受信します。\r\n"
                                        "受信しますか？")
                             .arg(m_kept.newCount());
    // The question may stay up longer than the watchdog waits.
    m_judge.link().stopWatchdog();
    context.core.messenger.beep();
    const std::optional<Messenger::Answer> answer
        = context.core.messenger.ask(QStringLiteral("確認"), text, Messenger::Buttons::YesNo);
    m_judge.link().restartWatchdog();
    return answer == Messenger::Answer::Yes;
}

void Pop3Dialogue::noUidl()
{
    m_mailTotal = 0;
    tellLeftOnce("no-uidl:" + m_kept.path().toUtf8(),
        QStringLiteral("プロバイダのサーバーが UIDL に対応していません。\r\n"
                       "「サーバーにメールを残す」設定ではメールチェックができません。"));
    m_judge.fail(QStringLiteral("VeskTalk< サーバーが UIDL に対応していないためチェックを中止しました >"));
}

void Pop3Dialogue::nextStep()
{
    if (m_plan.isEmpty()) {
        m_judge.sendCommand("QUIT");
        m_judge.setClientState(Pop3Quit);
        return;
    }
    const KeptOnServer::Step step = m_plan.takeFirst();
    m_mailCurrent = step.number;
    m_currentId = step.id;
    if (step.fetch) {
        --m_fetchesLeft;
        sendList();
        return;
    }
    // Already stored: only its time at the provider is up.
    m_kept.deleting(step.id);
    m_deletesMarked = true;
    m_judge.sendCommand("DELE " + number(step.number));
    m_judge.setClientState(StateNext);
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
    const int done = m_leaveFlow ? m_mailTotal - m_fetchesLeft : m_mailTotal - m_mailCurrent + 1;
    const QString progress = QStringLiteral("%1/%2").arg(done).arg(m_mailTotal);
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
    if (!fileName.isEmpty()) {
        const QString placed = showStored(fileName);
        if (m_leaveFlow && placed != fileName)
            m_kept.stored(m_currentId, placed, context.core.clock.now());
    }
    if (m_leaveFlow) {
        if (context.config.LeaveOnServer) {
            nextStep();
            return;
        }
        m_kept.deleting(m_currentId);
    }
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
        if (m_leaveFlow) {
            m_journal.addIdLine(m_kept.storedLine(m_currentId, QString(), context.core.clock.now()));
            m_kept.stored(m_currentId, QString(), context.core.clock.now());
        }
        return true;
    }
    const QString name = store.newFileName(store.timeStampGet(), { Box::InBox, Box::InBox1, Box::InBox2 });
    // Its id goes to the journal first: should the program die once the file
    // is in place, the next check finds the file by this name.
    if (m_leaveFlow)
        m_journal.addIdLine(m_kept.intentLine(m_currentId, name, context.core.clock.now()));
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
    if (m_leaveFlow) {
        // The id does what the digest does otherwise.
        m_journal.addIdLine(m_kept.storedLine(m_currentId, name, context.core.clock.now()));
        m_kept.stored(m_currentId, name, context.core.clock.now());
    } else {
        m_journal.add(key);
    }
    ++m_stored;
    *fileName = name;
    return true;
}

QString Pop3Dialogue::showStored(const QString &fileName)
{
    const SessionContext &context = m_judge.context();
    const MailHost::Placement placed
        = context.config.DevideON ? context.host.devideGo(fileName) : MailHost::Placement { Box::InBox, fileName };
    if (context.view.boxWindowOpen())
        context.view.messageAdded(placed.box, placed.fileName);
    else if (context.core.state.checkTrigger != TriggerPeriodic || context.config.AutoDevideDisp)
        context.view.showBoxWindow();
    return placed.fileName;
}

void Pop3Dialogue::quitOk()
{
    const SessionContext &context = m_judge.context();
    // The server has carried out every DELE of this session, and whatever an
    // interrupted one left there was served again and deleted now. Not so
    // when only the count was asked for.
    // The id list first: the journal carries this session's ids until then.
    m_kept.deletesDone();
    finishKept();
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

void Pop3Dialogue::sessionEnded()
{
    finishKept();
}

void Pop3Dialogue::finishKept()
{
    QString error;
    if (m_kept.finish(&error))
        return;
    // The ids of this session are lost to the list: the next check stores
    // those messages again. More than wanted, but nothing lost.
    const QString text = QStringLiteral("サーバーに残したメールの一覧を保存できません。\r\n") + error;
    m_judge.context().core.monitor.debug(
        QStringLiteral("VeskTalk< ") + text.simplified() + QStringLiteral(" >"));
    m_judge.context().core.messenger.error(text);
}

} // namespace vesk
