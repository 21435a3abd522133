#pragma once

#include "store/MessageStore.h"

#include <QString>

namespace vesk {

// Moves one message between boxes by copying and then deleting: the copy is
// saved crash-safely into the destination box and the source is deleted only
// once the copy is on disk, so a crash leaves the message in one box or both,
// never in none.
//
// A message of the same name already in the destination is never replaced:
// the same message there (a move cut short) just lets the source go; a
// different one makes the copy take a free name.
class BoxTransfer final
{
public:
    explicit BoxTransfer(const MessageStore &store)
        : m_store(store)
    { }

    struct Result
    {
        bool moved = false;
        QString fileName; // the message's name in the destination
        QString error; // why it stayed where it was
    };

    Result move(Box from, Box to, const QString &fileName) const;

private:
    // A name for the message that no receive box holds yet.
    QString freeName(const QString &fileName) const;

    const MessageStore &m_store;
};

} // namespace vesk
