#pragma once

#include <QByteArray>
#include <QString>

namespace vesk::test {

// A file's bytes, or `missing` where it cannot be read.
QByteArray fileBytes(const QString &path, const QByteArray &missing = "<unreadable>");
// Writes a whole file, making its folder first; false if that fails.
bool writeFile(const QString &path, const QByteArray &content = {});

} // namespace vesk::test
