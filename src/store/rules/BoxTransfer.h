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
        bool existed = false; // the same message was already in the destination
    };

    Result move(Box from, Box to, const QString &fileName) const;
    // The same without deleting the source: `moved` tells that the message
    // is (now) in the destination.
    Result copy(Box from, Box to, const QString &fileName) const;

private:
    // Puts a copy of the message into `to` unless the same message is there.
    bool place(Box from, Box to, const QString &fileName, Result &result) const;

    // A name for the message that no box holds yet.
    QString freeName(const QString &fileName) const;

    const MessageStore &m_store;
};

} // namespace vesk
