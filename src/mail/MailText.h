#pragma once

#include <QByteArray>
#include <QString>

namespace vesk {

// The bare address of a MAIL/RCPT argument or a From header line: everything
// up to the first ":" removed, then up to and including a "<", then from a
// ">" on; trimmed. "FROM: Taro <taro@example.jp>" gives "taro@example.jp".
QByteArray ExtractName(const QByteArray &text);

// An envelope address goes into a command line: a control byte could end
// that line early or smuggle a second command.
bool isSafeEnvelopeAddress(const QByteArray &address);

// The machine's name as used in greetings and trace lines: cut before a
// first "@", trimmed, "tempolary" when nothing is left.
QString GreetingHostName(const QString &hostName);

} // namespace vesk
