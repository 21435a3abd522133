#pragma once

#include <QString>
#include <QStringList>

namespace vesk {

class MessageStore;

// The newest messages of the receive boxes as a desktop notification shows
// them: "sender: subject", decoded as the box lists decode them, newest
// first, at most `limit` lines.
QStringList newMailLines(const MessageStore &store, int limit);

} // namespace vesk
