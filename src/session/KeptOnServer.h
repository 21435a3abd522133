#pragma once

#include "session/KeptIds.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace vesk {

class MessageStore;

// Leave mail at the provider (LeaveOnServer): which messages of a UIDL
// listing are new, which are due for DELE, and the account's id list. The
// download journal carries the ids of what a session stores until the list
// is written, so that a kill at any moment stores nothing twice.
class KeptOnServer final
{
public:
    struct Rules
    {
        bool leave = false; // LeaveOnServer
        int days = 0; // LeaveDays: 0 keeps them for ever
        bool withMailer = false; // DeleteWithMailer
    };
    // One step of a download, highest message number first.
    struct Step
    {
        int number = 0;
        QByteArray id;
        bool fetch = false; // LIST, RETR, store (and DELE unless leaving); else DELE only
    };
    enum class Listed { More, Done, Bad };

    explicit KeptOnServer(const MessageStore &store);

    // Before a session: the account's list, and what the journal holds of
    // it (`journal`: its "uidl ..." lines).
    void begin(
        const QString &host, const QString &user, const Rules &rules, const QList<QByteArray> &journal);
    // The session takes the UIDL way: leaving, or holding ids of earlier
    // sessions that are still to be deleted.
    bool active() const { return m_rules.leave || !m_kept.isEmpty(); }
    int keptCount() const { return int(m_kept.size()); }

    // One line of the UIDL listing ("n id" or the closing "."). `total` is
    // STAT's count: numbers past it, a repeated number or id, and anything
    // that is not such a line make the listing bad.
    Listed listed(QByteArrayView line, int total);
    // The provider lists nothing (STAT said 0): the listing is complete.
    void listedNothing() { m_listingDone = true; }
    // The provider seems to have rebuilt its ids: none of the known ones is
    // left, and more than half as many new ones are there.
    bool wholesaleChange() const;
    // Forget the listing (the check stops): nothing is forgotten either.
    void dropListing();
    int newCount() const;
    QList<Step> plan(const QDateTime &now) const;

    // The journal line written before a message is saved, and the one after.
    QByteArray intentLine(const QByteArray &id, const QString &fileName, const QDateTime &now) const;
    QByteArray storedLine(const QByteArray &id, const QString &fileName, const QDateTime &now) const;
    // A message of this session is safely stored as `fileName` (empty: a copy
    // stored earlier, name unknown).
    void stored(const QByteArray &id, const QString &fileName, const QDateTime &now);
    // A DELE for this id went out; the QUIT's answer carries them out.
    void deleting(const QByteArray &id) { m_deleting.insert(id); }
    void deletesDone() { m_deletesDone = true; }

    // After the session: the list without what the provider no longer lists
    // (or deleted now), written when it changed. False when it could not be.
    bool finish(QString *error);
    bool finished() const { return m_finished; }

    QString path() const { return m_path; }

private:
    bool heldLocally(const QString &fileName) const;

    const MessageStore &m_store;
    Rules m_rules;
    QString m_path;
    QByteArray m_account;
    KeptIds::Map m_kept;
    bool m_changed = false;
    // The provider's listing: number -> id.
    QMap<int, QByteArray> m_listing;
    QHash<QByteArray, int> m_listedIds;
    QSet<QByteArray> m_deleting;
    bool m_listingDone = false;
    bool m_deletesDone = false;
    bool m_finished = true;
};

} // namespace vesk
