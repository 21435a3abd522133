#pragma once

#include "mail/ReplyWords.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace vesk {

class ClientLink;
class Pop3Dialogue;
class SmtpDialogue;
struct SessionContext;

// Values of the one state number of the provider dialogue.
enum ClientStateValue : int {
    ClientIdle = 0,
    SmtpGreeting = 1,
    SmtpQuit = 8,
    Pop3Greeting = 11,
    Pop3Quit = 18,
    // Encryption and login steps that come before the states above go on.
    SmtpEhlo = 21,
    SmtpStartTls = 22,
    SmtpAuthStep = 23,
    SmtpHandshake = 24,
    Pop3Capa = 31,
    Pop3CapaList = 32,
    Pop3Stls = 33,
    Pop3Handshake = 34,
    // Leave mode: the provider's unique ids after STAT.
    Pop3Uidl = 35,
    Pop3UidlList = 36,
    // SASL with an access token: AUTH sent, the response sent, the
    // server's error status answered.
    Pop3Auth = 37,
    Pop3AuthResponse = 38,
    Pop3AuthError = 39,
    ClientAbandoned = 100,
};

// The provider dialogue: takes a reply line (or, while a message is being
// retrieved, a data block) and answers through the link. Downloads run in
// states 11-18 (31-34 while encryption starts), uploads in 1-8 (21-24 while
// encryption starts and the login runs); every reply word 1 is compared
// exactly and anything unexpected takes the failure path (QUIT, marker "x").
class ClientJudge final
{
public:
    ClientJudge(const SessionContext &context, ClientLink &link);
    ~ClientJudge();
    ClientJudge(const ClientJudge &) = delete;
    ClientJudge &operator=(const ClientJudge &) = delete;

    void judge(const QByteArray &text);

    // Session starts (the caller opens the connection).
    void beginDownload();
    void beginUpload();
    // The server has proved who it is and the connection is encrypted: a
    // dialogue waiting for that after STLS or STARTTLS goes on.
    void encryptionStarted();

    int clientState() const { return m_clientState; }
    void setClientState(int state) { m_clientState = state; }
    bool dataMode() const { return m_dataMode; }
    void setDataMode(bool on) { m_dataMode = on; }
    const ReplyWords &words() const { return m_words; }
    bool cancelled() const { return m_cancel; }
    // The server refused the access token of this session: a fresh one may
    // still do.
    bool tokenRejected() const { return m_tokenRejected; }
    void setTokenRejected() { m_tokenRejected = true; }

    // Bytes of a transfer arrived: true once a watchdog period's worth has
    // (ProgressBytes), so that a trickle cannot keep a transfer alive.
    bool transferProgress(qint64 bytes);
    void resetProgress()
    {
        m_progressBytes = 0;
        m_movedBytes = 0;
        m_claimedMs = 0;
    }
    void clearMessageLines();

    // The download session is over, however it ended.
    void downloadEnded();

    // New mail of the last download (messages left for size excluded).
    int mailTotal() const;
    // Messages stored by the last download so far.
    int storedCount() const;

    // SendSmtp, which both dialogues use: sends command + CR LF, restarts
    // the watchdog, clears the cancel flag and reply word 1, and shows the
    // command on the monitor.
    void sendCommand(const QByteArray &command);
    // SendSmtpInc: the same, then the next state.
    void sendCommandAndStep(const QByteArray &command);
    // A command holding a credential: the monitor shows `shown` instead.
    void sendSecret(const QByteArray &command, const QString &shown);

    // Unexpected reply: QUIT, "VeskTalk< Failed ! >", session closed, marker "x".
    void failurePath();
    // The provider is out of step (a line came that no reply was due for,
    // or one that does not answer the command sent): the connection ends
    // without QUIT, so that the provider carries out none of this session's
    // DELEs; the download journal keeps what was stored from being stored
    // twice next time.
    void outOfStep(const QString &reason);
    // A data line too long to hold arrived (its rest is skipped).
    void longDataLine();
    // The session may take this much longer for `bytes` of message text
    // that a server announced or that is to be sent.
    void allowTransfer(qint64 bytes);
    // Bytes that actually moved (received, or taken by the server): the
    // session earns time by them.
    void moved(qint64 bytes);
    // A transfer must move this much in every watchdog period.
    static constexpr qint64 ProgressBytes = 1024;
    // Announced sizes earn time at this rate, all of them together at most
    // MaxClaimedMs: what a server only claims can keep no check for hours.
    static constexpr qint64 ClaimedBytesPerSecond = 64 * 1024;
    static constexpr qint64 MaxClaimedMs = 30 * 60 * 1000;
    // What moves earns time at this rate, below that of any provider worth
    // waiting for, so that a slow honest transfer always finishes.
    static constexpr qint64 MovedBytesPerSecond = 16 * 1024;
    // Each reply to a command earns this much.
    static constexpr qint64 ReplyEarnsMs = 1000;
    // The failure path after a monitor line that says why.
    void fail(const QString &reason);
    // The provider went away: the same without QUIT.
    void connectionLost();
    // The watchdog fired: nothing more is stored, sent or deleted.
    void abandon();

    // The session still runs in this state (pumping may have ended it).
    bool still(int state) const;

    const SessionContext &context() const { return m_context; }
    ClientLink &link() { return m_link; }

private:
    void endWithFailure(bool sayQuit);

    const SessionContext &m_context;
    ClientLink &m_link;
    int m_clientState = ClientIdle;
    bool m_dataMode = false;
    ReplyWords m_words;
    bool m_cancel = false;
    bool m_tokenRejected = false;
    qint64 m_progressBytes = 0;
    qint64 m_movedBytes = 0;
    qint64 m_claimedMs = 0;
    std::unique_ptr<Pop3Dialogue> m_pop3;
    std::unique_ptr<SmtpDialogue> m_smtp;
};

} // namespace vesk
