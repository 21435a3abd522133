#include "boxes/ListedMessage.h"

#include "boxes/HeaderRead.h"
#include "store/japanese/HeaderValue.h"
#include "store/japanese/ToFromSub.h"

namespace vesk {

QByteArray sortKey(QByteArrayView text)
{
    QByteArray key(text.data(), text.size());
    for (char &c : key) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return key;
}

ListedMessage readListedMessage(
    const MessageStore &store, Box box, const QString &fileName, SjisDecoder &decoder)
{
    const HeaderSummary header = ToFromSub(store.filePath(box, fileName));
    const bool outBox = box == Box::OutBox;
    ListedMessage message;
    message.row = HeaderRow(fileName, header, box, decoder);
    message.sortKeys = {
        sortKey(fileName.toLatin1()),
        sortKey(outBox ? header.to : header.from),
        sortKey(' ' + ExtractTo(outBox ? header.from : header.to)),
        header.kind,
        sortKey(header.subject),
    };
    return message;
}

} // namespace vesk
