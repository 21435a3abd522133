#pragma once

#include "boxes/BoxListRow.h"
#include "store/MessageStore.h"
#include "store/japanese/HeaderSummary.h"

#include <QList>
#include <QStringView>

#include <optional>

namespace vesk {

class SjisDecoder;

// The box of a list: "stgSend" the out-box, "stgReceive", "stgReceive1" and
// "stgReceive2" the three receive boxes; any other name has none.
std::optional<Box> StgToDir(QStringView gridName);

// The row of one message, from its decoded header. The out-box shows the
// recipients as the other party and the sender as the own name.
BoxListRow HeaderRow(const QString &fileName, const HeaderSummary &header, Box box, SjisDecoder &decoder);

// The row of one message file of a box (RowAdd). A file that has vanished
// gives a row with only its file name.
BoxListRow HeaderRow(const MessageStore &store, Box box, const QString &fileName, SjisDecoder &decoder);

// All rows of a box, in listing order; an empty box gives one empty row.
QList<BoxListRow> HeaderRead(const MessageStore &store, Box box);

// The same by list name; a name without a box gives no rows at all.
QList<BoxListRow> HeaderRead(const MessageStore &store, QStringView gridName);

} // namespace vesk
