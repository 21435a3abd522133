#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace vesk {

// The value of a header field among header lines (folded lines joined, the
// name matched in any case); empty when the field is not there.
QByteArray headerField(const QList<QByteArrayView> &lines, QByteArrayView name);

// A parameter of a structured value such as a Content-Type
// ("text/plain; charset=iso-2022-jp"), quotes removed; empty when missing.
QByteArray headerParameter(QByteArrayView value, QByteArrayView name);

// The media type of a Content-Type value, upper-cased ("TEXT/PLAIN").
QByteArray mediaType(QByteArrayView contentType);

} // namespace vesk
