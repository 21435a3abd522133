#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Small helpers on raw header bytes.
namespace vesk::bytetext {

// The value of a hexadecimal digit, either case, or -1.
int hexValue(char c);

// Drops the blanks at the end of a text.
void chopBlanks(QByteArray &text);

// Deletes every ESC together with the two bytes after it.
void removeEscapes(QByteArray &text);
// ASCII-only upper-casing, as header names and charset labels need.
QByteArray toUpper(QByteArrayView text);

// Whether `text` starts with `upperName` when upper-cased (ASCII letters only).
bool startsWithUpper(QByteArrayView text, QByteArrayView upperName);

// Position of `upperNeedle` in `text` compared case-insensitively from `from`, or -1.
qsizetype indexOfUpper(QByteArrayView text, QByteArrayView upperNeedle, qsizetype from = 0);

} // namespace vesk::bytetext
