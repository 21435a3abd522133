#pragma once

#include <QByteArray>

namespace vesk {

// A mailer that knows no domain of its own makes Message-IDs ending in
// "@127.0.0.1". In the first header line of `text` (from `headerStart` on)
// that is a Message-ID field holding "@127.0.0.1", the part from its "@" up to
// and including "@127.0.0.1" becomes "@" + host. Returns true if it changed.
bool MessageIdFixup(QByteArray &text, qsizetype headerStart, const QByteArray &host);

} // namespace vesk
