#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace vesk {

// The unique ids the local POP3 server gives the messages of one box (UIDL).
// A mailer keeps track of what it has fetched by them, so each must name one
// message only and stay the same from one connection to the next, and it
// goes into a reply line, so only the characters POP3 allows (0x21-0x7E, at
// most 70 of them) can be used.
//
// A message keeps the id its header or name gives (MessageStore::searchUidl)
// when that id is usable and no message before it in the box has it; that is
// the common case, and the first of two copies of one Message-ID keeps its
// id when the second arrives. Every other message gets the MD5 of its file
// name in hex: as stable as the name, and unique as the name is.
class BoxUniqueIds final
{
public:
    static constexpr qsizetype MaxLength = 70;

    // `found`: the ids the messages give, in listing order with `fileNames`.
    static QList<QByteArray> assign(const QStringList &fileNames, const QList<QByteArray> &found);

    // 1 to 70 characters, each from "!" to "~".
    static bool usable(QByteArrayView id);
};

} // namespace vesk
