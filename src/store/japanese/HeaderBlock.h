#pragma once

#include <QByteArray>
#include <QString>

namespace vesk {

// The header part of a message file: its lines up to and including the first
// line that is blank, at most `limit` bytes. Empty when the file cannot be read.
QByteArray readHeaderBlock(const QString &filePath, qsizetype limit = 1024 * 1024);

// The offset just past the first blank line of `text` (a line of nothing but
// blanks), or -1. `from` must be the start of a line.
qsizetype endOfHeader(QByteArrayView text, qsizetype from = 0);

} // namespace vesk
