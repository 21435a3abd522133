#pragma once

#include "session/BearerSasl.h"
#include "session/DownloadJournal.h"
#include "session/IncomingMessage.h"
#include "session/KeptOnServer.h"

#include <QList>

#include <QByteArray>
#include <QSet>
#include <QString>

namespace vesk {

class ClientJudge;
struct ReplyWords;

// The download dialogue (states 11-18): log in with USER/PASS or APOP (or
// SASL with an access token, states 35-37, over TLS only), STAT,
// then from the highest number down LIST, RETR, store, DELE; QUIT. A message
// is deleted at the provider only once it is safely on disk. Where STLS is
// required, CAPA and STLS (states 31-34) come before the login, and a server
// that does not offer it is left before anything secret is sent.
class Pop3Dialogue final
{
public:
    explicit Pop3Dialogue(ClientJudge &judge);

    void begin();
    void reply(const QByteArray &line);
    void dataBlock(const QByteArray &block);
    // Encryption stands after STLS: the login follows.
    void encrypted();
    // However the session ended: the ids it stored go into the account's list.
    void sessionEnded();

    int mailTotal() const { return m_mailTotal; }
    // Messages stored in this session.
    int storedCount() const { return m_stored; }
    // A DELE went out in this session: a QUIT now would carry it out.
    bool deletesMarked() const { return m_deletesMarked; }
    void clearMessage() { m_message.clear(); }
    // A line of the message being retrieved is too long to hold: the
    // message stays at the provider, the user is told once, the session
    // goes on with the next one.
    void longDataLine();

private:
    void greeting(const QByteArray &line);
    void login(const QByteArray &greetingLine);
    void capability(const QByteArray &line);
    bearer::Mechanism mechanism() const;
    void startAuth();
    void authReply(const QByteArray &line);
    void refuseWithoutTls();
    void stat(const ReplyWords &words);
    void uidlLine(const QByteArray &line);
    void listingDone();
    bool rebuiltAccepted();
    void noUidl();
    void nextStep();
    void finishKept();
    void list(const ReplyWords &words);
    void skipMessage();
    void tellLeftOnce(const QByteArray &key, const QString &text);
    void sendList();
    void messageEnd();
    bool storeMessage(QString *fileName);
    QString showStored(const QString &fileName);
    void quitOk();

    ClientJudge &m_judge;
    int m_mailTotal = 0;
    int m_mailCurrent = 0;
    int m_stored = 0;
    bool m_deletesMarked = false;
    IncomingMessage m_message;
    qint64 m_listedSize = 0;
    DownloadJournal m_journal;
    // Leave mode, or ids of it still held: the UIDL way (KeptOnServer).
    KeptOnServer m_kept;
    bool m_leaveFlow = false;
    QList<KeptOnServer::Step> m_plan;
    int m_fetchesLeft = 0;
    QByteArray m_currentId;
    // The greeting, kept for APOP while encryption starts.
    QByteArray m_greeting;
    bool m_stlsOffered = false;
    // Messages the user was told about already (while the program runs).
    QSet<QByteArray> m_told;
};

} // namespace vesk
