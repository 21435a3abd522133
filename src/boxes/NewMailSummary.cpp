#include "boxes/NewMailSummary.h"

#include "boxes/HeaderRead.h"
#include "store/MessageStore.h"
#include "store/japanese/SjisDecoder.h"

#include <algorithm>

namespace vesk {

QStringList newMailLines(const MessageStore &store, int limit)
{
    // File names begin with their arrival time, so the greatest are newest.
    QList<std::pair<QString, Box>> newest;
    for (Box box : { Box::InBox, Box::InBox1, Box::InBox2 }) {
        for (const QString &name : store.listing(box))
            newest.append({ name, box });
    }
    std::sort(newest.begin(), newest.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    newest.resize(std::min<qsizetype>(newest.size(), std::max(0, limit)));
    SjisDecoder decoder;
    QStringList lines;
    for (const auto &[name, box] : newest) {
        const BoxListRow row = HeaderRow(store, box, name, decoder);
        lines << row.otherParty.simplified() + QStringLiteral(": ") + row.subject.simplified();
    }
    return lines;
}

} // namespace vesk
