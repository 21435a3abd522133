#include "session/ProviderSession.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "session/ProviderConnection.h"
#include "session/TokenSource.h"
#include "store/MessageStore.h"

#include <limits>

namespace vesk {

ProviderSession::ProviderSession(const CoreServices &core, MailHost &host, MailView &view)
    : m_core(core)
    , m_context { core, m_config, host, view }
    , m_connection(std::make_unique<ProviderConnection>(m_context))
{ }

ProviderSession::~ProviderSession() = default;

void ProviderSession::setConfig(const SessionConfig &config)
{
    m_config = config;
    m_connection->setOverTime(config.OverTime);
    m_core.monitor.setPassword(config.Password);
}

int ProviderSession::downLoad()
{
    m_newMailCount = 0;
    if (!m_config.accountComplete())
        return 0;
    SessionState &state = m_core.state;
    MailHost &host = m_context.host;
    MailView &view = m_context.view;
    ProviderConnection &connection = *m_connection;

    const QString time = m_core.clock.now().toString(QStringLiteral("M/d h:mm"));
    host.checkStarted(time);
    state.marker = QStringLiteral(".");
    if (view.boxWindowOpen())
        view.setBoxCaption(QStringLiteral("送受信箱 <Last ") + time + QLatin1Char('>'));

    if (m_config.POP3_Security == Security::Invalid) {
        refuseSettings(QStringLiteral("POP3_Security"));
        host.restartMinuteTimer();
        return 0;
    }
    if (m_config.POP3_Auth == PopAuth::Invalid) {
        refuseSettings(QStringLiteral("POP3_Auth"));
        host.restartMinuteTimer();
        return 0;
    }
    for (int attempt = 0;; ++attempt) {
        if (m_config.pop3Bearer() && !fetchToken()) {
            connError();
            host.restartMinuteTimer();
            return 0;
        }
        connection.judge().beginDownload();
        connection.setTarget(m_config.Host, m_config.POP3_ServerVesk, m_config.POP3_Security);
        connection.clientOn(QStringLiteral(">"));
        view.dialPanelStatus(QStringLiteral("Connecting"));
        connection.timRet().start();
        if (m_config.DoublePass)
            connection.timPass().start();

        waitForSessionEnd();
        connection.judge().downloadEnded();

        connection.timPass().stop();
        connection.timRet().stop();
        m_config.AccessToken.clear();
        if (!(attempt == 0 && retryAfterRejection()))
            break;
    }
    if (state.failed()) {
        // Whatever was stored before the failure is new mail all the same.
        m_newMailCount = m_config.ServerON ? connection.judge().storedCount() : 0;
        connError();
        host.restartMinuteTimer();
        return m_newMailCount;
    }
    if (connection.active())
        connection.clientOff();
    m_newMailCount = connection.judge().mailTotal();
    view.dialPanelStatus(m_newMailCount >= 1 ? QStringLiteral("< Mail ON >") : QStringLiteral("Non mail"));
    if (host.connectionTestRunning()) {
        m_newMailCount = 0;
        host.closeDialUp();
        host.restartMinuteTimer();
    }
    return m_newMailCount;
}

bool ProviderSession::mailSend()
{
    SessionState &state = m_core.state;
    state.marker = QStringLiteral(".");
    m_core.pump.waitUntil([] { return false; }, 10, 10);
    // Without the mail server, or with nothing to send, no connection is made.
    if (!m_config.ServerON || m_core.store.checkDir(Box::OutBox).count == 0) {
        state.marker.clear();
        return true;
    }
    state.marker = QStringLiteral(".");
    if (m_config.SMTP_Security == Security::Invalid || m_config.SMTP_Auth == SmtpAuth::Invalid) {
        refuseSettings(
            m_config.SMTP_Security == Security::Invalid ? QStringLiteral("SMTP_Security") : QStringLiteral("SMTP_Auth"));
        state.checkTrigger = TriggerPeriodic;
        return false;
    }
    for (int attempt = 0;; ++attempt) {
        if (m_config.smtpBearer() && !fetchToken()) {
            connError();
            state.checkTrigger = TriggerPeriodic;
            return false;
        }
        upMail();
        waitForSessionEnd();
        m_connection->timRet().stop();
        m_config.AccessToken.clear();
        if (!(attempt == 0 && retryAfterRejection()))
            break;
    }
    if (state.failed()) {
        connError();
        state.checkTrigger = TriggerPeriodic;
        return false;
    }
    state.marker.clear();
    return true;
}

void ProviderSession::upMail()
{
    ProviderConnection &connection = *m_connection;
    connection.setTarget(m_config.SMTP, m_config.SMTP_ServerVesk, m_config.SMTP_Security);
    // Time for the host lookup.
    m_core.pump.waitUntil([] { return false; }, 20, 10);
    connection.judge().beginUpload();
    connection.clientOn(QStringLiteral("<"));
    connection.timRet().start();
}

bool ProviderSession::fetchToken()
{
    QString error = QStringLiteral("トークンの取得方法が設定されていません");
    m_config.AccessToken = m_tokens ? m_tokens->accessToken(&error) : QString();
    if (!m_config.AccessToken.isEmpty())
        return true;
    m_core.monitor.debug(QStringLiteral("VeskTalk< アクセストークンを得られません : %1 >").arg(error));
    return false;
}

bool ProviderSession::retryAfterRejection()
{
    if (!m_core.state.failed() || !m_connection->judge().tokenRejected() || !m_tokens || !m_tokens->rejected())
        return false;
    // A token may lapse between its fetch and its use: one fresh one is
    // worth a second session, no more.
    if (m_connection->active())
        m_connection->clientOff();
    m_core.monitor.debug(QStringLiteral("VeskTalk< 新しいアクセストークンでもう一度接続します >"));
    m_core.state.marker = QStringLiteral(".");
    return true;
}

void ProviderSession::refuseSettings(const QString &name)
{
    m_core.monitor.debug(QStringLiteral("VeskTalk< 設定 %1 の値が正しくないため接続しません。"
                                        "暗号化・認証の設定をやり直してください >")
                             .arg(name));
    connError();
}

void ProviderSession::connError()
{
    ProviderConnection &connection = *m_connection;
    connection.timRet().stop();
    if (connection.active() || connection.judge().clientState() != ClientIdle)
        connection.clientOff();
    m_core.state.marker = QStringLiteral("x");
    m_context.host.connError();
}

void ProviderSession::waitForSessionEnd()
{
    SessionState &state = m_core.state;
    Timer &watchdog = m_connection->timRet();
    // Every session either ends or is ended by its watchdog.
    m_core.pump.waitUntil(
        [&] { return !state.running() || !watchdog.isActive(); }, std::numeric_limits<int>::max(), 10);
    if (state.running()) {
        m_connection->judge().abandon();
        state.marker = QStringLiteral("x");
    }
}

} // namespace vesk
