#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vesk {

// One raw header value as Shift_JIS text. Encoded-words ("B" or "Q", any
// letter case) are decoded from any charset iconv knows; ISO-2022-JP goes
// through the JIS conversion, each word closed by ESC ( J as before. White
// space between two adjacent words is dropped. A word that does not decode
// (unknown charset, bad payload, no "?=") stays as written. The text outside
// the words is converted from UTF-8 when it is that, else from the Japanese
// code JCodeCheck finds. Escape sequences left over are removed; characters
// Shift_JIS lacks show as "〓".
QByteArray MimeDecode(QByteArrayView text);

// Decodes base64 text. CR and LF are skipped at the start of a group; "=" pads.
// The output is never longer than (k div 4) * 3 + (k mod 4) - 1, with k the
// number of characters other than CR, LF and "=". Characters outside the
// alphabet count as zero.
QByteArray Base64Decode(QByteArrayView text);

} // namespace vesk
