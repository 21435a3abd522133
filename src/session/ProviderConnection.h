#pragma once

#include "mail/ProviderSecurity.h"
#include "net/LineAssembler.h"
#include "net/NetServices.h"
#include "session/ClientJudge.h"
#include "session/ClientLink.h"

#include <QString>

#include <memory>

namespace vesk {

class TKError;
class TKTcpClient;
class Timer;
class TimerFactory;
struct SessionContext;

// The one provider connection `Client` with its line assembly, the session
// watchdog `timRet` and the re-authentication timer `timPass`, wired to the
// dialogue. Opens and closes a provider session (ClientOn / ClientOff).
//
// Besides the watchdog (OverTime without a reply, or without a kilobyte of a
// transfer), a session has a deadline: four times OverTime, plus what the
// announced sizes take at 64 KiB/s (30 minutes at most), plus what it earns
// by what really arrives (a second per reply, a second per 16 KiB). Past it
// the session ends as on the watchdog.
//
// With TLS the encryption sits between the socket and the line assembly
// (net/TlsChannel.h): from the connect on for implicit TLS, from the reply
// to STLS or STARTTLS on otherwise. The monitor then shows the protocol
// lines as before, and a line naming the protocol and cipher.
class ProviderConnection final : public ClientLink
{
public:
    // Re-authentication after this long without any reply.
    static constexpr int PassIntervalMs = 14000;

    explicit ProviderConnection(const SessionContext &context);
    ~ProviderConnection() override;
    ProviderConnection(const ProviderConnection &) = delete;
    ProviderConnection &operator=(const ProviderConnection &) = delete;

    ClientJudge &judge() { return m_judge; }
    TKTcpClient &client() { return *m_client; }
    Timer &timRet() { return *m_timRet; }
    Timer &timPass() { return *m_timPass; }

    // The watchdog period, from `OverTime` seconds.
    void setOverTime(int seconds);
    void setTarget(const QString &host, int port, Security security = Security::None);
    bool active() const;

    // Monitor section line, connection switched on, local servers closed.
    void clientOn(const QString &direction);

    // ClientLink
    void send(const QByteArray &bytes) override;
    bool sendPending() const override;
    void flush() override;
    bool startTls() override;
    bool secure() const override { return m_secure; }
    void restartWatchdog() override;
    void stopWatchdog() override;
    void allowTime(qint64 ms) override;
    void clientOff() override;
    QString localHostName() const override;

private:
    void clientConnect();
    void clientRcvReady();
    void clientDisconnect();
    void clientError(const TKError &error);
    // The watchdog's own end: says why, then as timRetTimer.
    void watchdogFired();
    void timRetTimer();
    void timPassTimer();
    void timLimitTimer();
    void judgeText(const QByteArray &text);
    void overflow();
    void showReceived(const QByteArray &block);
    void encrypt();
    void encrypted(const QString &description);

    const SessionContext &m_context;
    ClientJudge m_judge;
    std::unique_ptr<TKTcpClient> m_client;
    LineAssembler m_assembler;
    std::unique_ptr<Timer> m_timRet;
    std::unique_ptr<Timer> m_timPass;
    std::unique_ptr<Timer> m_timLimit;
    qint64 m_timeLeftMs = 0;
    // Where in the received stream the answer to the last command can
    // begin: whatever came before it was sent cannot answer it.
    qint64 m_replyFrom = 0;
    // Where the line being judged ends in the received stream.
    qint64 m_judgedEnd = 0;
    Security m_security = Security::None;
    bool m_secure = false;
    // Counts connections, so that news of an earlier one is not taken for
    // the current one's.
    quint64 m_sessions = 0;
};

} // namespace vesk
