#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vesk {

// A quoted-printable body (RFC 2045): "=XX" is a byte in hexadecimal (either
// case), "=" at the end of a line joins it to the next one; blanks before a
// line end are dropped. An "=" that begins neither stays as it is.
QByteArray decodeQuotedPrintable(QByteArrayView text);

} // namespace vesk
