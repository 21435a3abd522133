#include "boxes/HeaderRead.h"

#include "store/japanese/HeaderValue.h"
#include "store/japanese/SjisDecoder.h"
#include "store/japanese/ToFromSub.h"

namespace vesk {

BoxListRow HeaderRow(const QString &fileName, const HeaderSummary &header, Box box, SjisDecoder &decoder)
{
    const bool outBox = box == Box::OutBox;
    const QByteArray &other = outBox ? header.to : header.from;
    const QByteArray &own = outBox ? header.from : header.to;
    BoxListRow row;
    row.fileName = fileName;
    row.otherParty = decoder.toUnicode(other);
    row.ownName = QLatin1Char(' ') + decoder.toUnicode(ExtractTo(own));
    row.kindMark = decoder.toUnicode(header.kind);
    row.subject = decoder.toUnicode(header.subject);
    return row;
}

BoxListRow HeaderRow(const MessageStore &store, Box box, const QString &fileName, SjisDecoder &decoder)
{
    return HeaderRow(fileName, ToFromSub(store.filePath(box, fileName)), box, decoder);
}

QList<BoxListRow> HeaderRead(const MessageStore &store, Box box)
{
    const QStringList names = store.listing(box);
    if (names.isEmpty())
        return { BoxListRow {} };
    SjisDecoder decoder;
    QList<BoxListRow> rows;
    rows.reserve(names.size());
    for (const QString &name : names)
        rows.append(HeaderRow(store, box, name, decoder));
    return rows;
}

} // namespace vesk
