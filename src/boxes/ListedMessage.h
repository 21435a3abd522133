#pragma once

#include "boxes/BoxListRow.h"
#include "store/MessageStore.h"

#include <QByteArray>

#include <array>

namespace vesk {

class SjisDecoder;

// One message as a box list holds it: the row it shows and, per column, the
// key it sorts by. Keys are the Shift_JIS bytes of the cell with ASCII
// letters upper-cased, so lists sort in the order of the Japanese code
// table, whatever the letter case.
struct ListedMessage
{
    BoxListRow row;
    std::array<QByteArray, 5> sortKeys;
};

// Reads the header of one message file of a box. A file that has vanished
// gives a row with only its file name.
ListedMessage readListedMessage(
    const MessageStore &store, Box box, const QString &fileName, SjisDecoder &decoder);

// ASCII letters upper-cased, every other byte as it is.
QByteArray sortKey(QByteArrayView text);

} // namespace vesk
