#pragma once

#include "mail/MailerPort.h"
#include "server/DialogueVariables.h"
#include "server/SmtpBody.h"
#include "store/MessageStore.h"

#include <QByteArray>

#include <memory>

namespace vesk {

class MessageStreamer;
class ReplySink;
class Timer;
struct ServerEnvironment;

// One mailer's connection to a local server: assembles the incoming lines,
// hands each to ServerJudge, keeps the connection variables, serves messages
// with flow control, receives DATA bodies, and gives up a silent connection
// after OverTime seconds. Tags: 1 POP3 and 2 SMTP of mailer 1, 0 POP3 and 3
// SMTP of mailer 2.
//
// Input is taken from the connection only while it can be worked on: not
// while a login answer waits, a message is being served, or replies wait to
// go out; and a turn works on a batch of commands at most, so one client
// never holds up the others, and what it sends waits in the socket instead
// of in memory.
class LocalDialogue final
{
public:
    LocalDialogue(ServerEnvironment &env, MailerPort port, ReplySink &sink);
    ~LocalDialogue();
    LocalDialogue(const LocalDialogue &) = delete;
    LocalDialogue &operator=(const LocalDialogue &) = delete;

    // Transport events.
    void connected();
    // Bytes wait in the sink: taken (ReplySink::receive) when they can be
    // worked on.
    void readable();
    // Bytes handed over directly (a sink that does not hold any).
    void received(const QByteArray &bytes);
    void sendEmpty();
    void disconnected();
    void childError();
    // The listening server closes (a provider session begins).
    void serverClosing();

    ServerEnvironment &env() const { return m_env; }
    MailerPort port() const { return m_port; }
    bool onPop3Port() const { return isPop3Port(m_port); }
    // The box this connection serves over POP3.
    Box pop3Box() const;
    DialogueVariables &vars() { return m_vars; }
    bool inDataMode() const;
    bool closing() const;

    // Used by the judges.
    void sendTCP(const QByteArray &text);
    void failurePath(const QByteArray &command);
    // A command not in the table: the failure path, and after a few of them
    // in a row the connection is closed (no mailer talks like that).
    void unknownCommand(const QByteArray &command);
    void knownCommand() { m_unknownInRow = 0; }
    // An HTTP request or header line: a web page posting to a mail port.
    // The connection is dropped at once and nothing more of it is read.
    void refuseForeign();
    // PASS or APOP was judged: the reply goes out after the wait the failed
    // logins call for (LoginPenalty), with no input read meanwhile; the
    // third failure on a connection closes it.
    void answerLogin(bool passed, const QByteArray &reply);
    void setPop3Active(bool active);
    // TOP (topLines >= 0) or RETR of a listed message, after the lookup pause.
    void retrieve(const QByteArray &command, int number, int topLines);
    // DATA was accepted: what follows is the message text, spooled to a
    // staged file in the out-box; `fix` mends its header.
    void beginData(QByteArray head, SmtpBody::HeaderFix fix);
    // The common part of QUIT, then the POP3 or SMTP end.
    void quit();

    // A command line longer than this is refused and skipped.
    static constexpr qsizetype MaxCommandLine = 8 * 1024;
    // Of a command that failed, this much is echoed in the reply.
    static constexpr qsizetype MaxEcho = 255;
    // Input held while a message is being served before the peer is dropped.
    static constexpr qsizetype MaxPendingInput = 1024 * 1024;
    // Bytes of message text queued at a time.
    static constexpr qsizetype StreamBudget = 256 * 1024;
    // The greeting waits up to this many 100 ms polls for a provider session.
    static constexpr int GreetingWaitPolls = 50;
    // Unworked input taken from the connection at most.
    static constexpr qsizetype InputBound = 64 * 1024;
    // No command is worked on while more replies than this wait to go out.
    static constexpr qsizetype MaxQueuedOutput = 64 * 1024;
    // Commands worked on in one turn of the event loop.
    static constexpr int CommandsPerTurn = 16;
    static constexpr int MaxFailedLogins = 3;
    static constexpr int MaxUnknownInRow = 5;

    // Bytes this dialogue holds: unworked input and DATA text not yet written.
    qsizetype heldBytes() const;

private:
    enum class Phase { Waiting, Ready, LoginWait, Pausing, Streaming, Data, Closing };

    void greetingPoll();
    void greet();
    void takeInput();
    void processInput();
    void loginAnswered();
    bool takeCommandLine(QByteArray &line);
    // A received command on the monitor, credentials masked.
    void showCommand(const QByteArray &line);
    void feedData();
    void prepareFirstPiece();
    void lookupDone();
    // Appends the next piece of the message; true when it ends the message.
    bool fillPiece(QByteArray &out);
    void sendPiece(const QByteArray &piece, bool last);
    void streamMore();
    // The reply with its CR LF, shown on the monitor; restarts the idle clock.
    QByteArray replyLine(const QByteArray &text);
    void timedOut();
    void restartIdle();
    void endDialogue(const char *markerResult);
    void finishStreaming();

    ServerEnvironment &m_env;
    const MailerPort m_port;
    ReplySink &m_sink;
    DialogueVariables m_vars;
    Phase m_phase = Phase::Waiting;

    QByteArray m_input;
    qsizetype m_inputPos = 0;
    bool m_discarding = false; // skipping the rest of an overlong line
    bool m_afterAuth = false; // the lines that follow may answer an AUTH
    QByteArray m_discardHead;
    bool m_processing = false;

    std::unique_ptr<Timer> m_idle;
    std::unique_ptr<Timer> m_step;
    int m_polls = 0;

    QByteArray m_retrieveCommand;
    int m_retrieveNumber = 0;
    int m_topLines = -1;
    std::unique_ptr<MessageStreamer> m_streamer;
    QByteArray m_firstPiece;
    bool m_firstPieceEnds = false;

    std::unique_ptr<SmtpBody> m_body;
    int m_dataBlocks = 0;

    QByteArray m_loginReply;
    bool m_loginPassed = false;
    int m_failedLogins = 0;
    int m_unknownInRow = 0;

    bool m_pop3Active = false;
    bool m_holdsMarker = false;
};

} // namespace vesk
