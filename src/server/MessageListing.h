#pragma once

#include "store/MessageStore.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vesk {

// The messages of a mailer's box as listed when the mailer logged in. Numbers
// stay fixed for the whole connection: a deleted message keeps its number
// (which then names no message) and no other number moves, so a mailer that
// deletes some messages by the numbers it listed removes exactly those.
class MessageListing final
{
public:
    struct Entry
    {
        QString fileName;
        qint64 size = 0;
        bool deleted = false;
    };

    void take(const MessageStore &store, Box box);
    void clear();

    Box box() const { return m_box; }
    // Messages not deleted, and their total size.
    int count() const;
    qint64 totalSize() const;
    // The highest number of the listing (deleted ones included).
    int lastNumber() const { return int(m_entries.size()); }

    // The message a number text names: decimal digits within the listing,
    // not deleted; nullptr for anything else.
    const Entry *find(const QByteArray &numberText, int *number = nullptr) const;
    const Entry *at(int number) const;
    void markDeleted(int number);

    // The UIDL id of a listed message (BoxUniqueIds), worked out for the
    // whole listing at the first call and kept for the connection.
    QByteArray uniqueId(const MessageStore &store, int number);

private:
    Box m_box = Box::InBox;
    QList<Entry> m_entries;
    QList<QByteArray> m_ids;
};

} // namespace vesk
