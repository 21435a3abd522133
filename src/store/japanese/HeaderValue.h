#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Turning raw header values into the Shift_JIS text the box lists show.
namespace vesk {

// An ISO-2022-JP line whose first encoded-word is longer than any mailer
// writes (more than 86 characters between "=?" and "?=") is shown as ".....".
QByteArray LenCheck(QByteArrayView line);

// One raw header value to Shift_JIS display text: decoded by MimeDecode, and
// double quotes removed from values with an angle-bracket address. Not trimmed.
QByteArray ConvS(QByteArrayView value);

// The display names of an address field: the name before each <address>, or
// the comment in parentheses after a bare address; bare addresses give nothing.
QByteArray ExtractTo(QByteArrayView field);

} // namespace vesk
