#pragma once

#include "store/japanese/HeaderSummary.h"

#include <QByteArrayView>
#include <QString>

namespace vesk {

// Reads To, From, Subject, Content-Type and X-Mailer of a message file and
// decodes them for display. A file that does not exist gives empty fields.
// Only the header part of the file is read.
HeaderSummary ToFromSub(const QString &filePath);

// The same on the bytes of a message (or of its header part).
HeaderSummary ToFromSubText(QByteArrayView message);

// The kind mark for a Content-Type value and an X-Mailer value.
QByteArray kindMark(QByteArrayView contentType, QByteArrayView mailer);

} // namespace vesk
