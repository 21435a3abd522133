#pragma once

#include "boxes/BoxListRow.h"
#include "store/MessageStore.h"
#include "store/japanese/HeaderSummary.h"

#include <QList>

namespace vesk {

class SjisDecoder;

// The row of one message, from its decoded header. The out-box shows the
// recipients as the other party and the sender as the own name.
BoxListRow HeaderRow(const QString &fileName, const HeaderSummary &header, Box box, SjisDecoder &decoder);

// The row of one message file of a box (RowAdd). A file that has vanished
// gives a row with only its file name.
BoxListRow HeaderRow(const MessageStore &store, Box box, const QString &fileName, SjisDecoder &decoder);

// All rows of a box, in listing order; an empty box gives one empty row.
QList<BoxListRow> HeaderRead(const MessageStore &store, Box box);

} // namespace vesk
