#pragma once

#include <QByteArray>
#include <QString>

namespace vesk::test {

// Bytes written as hexadecimal pairs; blanks between them are ignored.
QByteArray hex(const char *pairs);

// Text encoded by glibc iconv into the named code ("CP932", "EUC-JP",
// "ISO-2022-JP"), an independent reference for the conversions under test.
QByteArray encoded(const char *code, const QString &text);
QByteArray sjis(const QString &text);
QByteArray jis(const QString &text);
QByteArray euc(const QString &text);

// Shift_JIS (CP932) bytes as Unicode, by glibc iconv.
QString fromSjis(const QByteArray &bytes);

// An RFC 2047 "B" word of ISO-2022-JP text.
QByteArray jisWord(const QString &text, const char *prefix = "=?ISO-2022-JP?B?");

} // namespace vesk::test
