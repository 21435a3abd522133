#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vesk {

// Replaces every ISO-2022-JP "B" encoded-word (prefix in any letter case) by
// its decoded JIS bytes followed by ESC ( J. Other charsets and "Q" words stay
// as they are, and so does the white space between adjacent words.
QByteArray MimeDecode(QByteArrayView text);

// Decodes base64 text. CR and LF are skipped at the start of a group; "=" pads.
// The output is never longer than (k div 4) * 3 + (k mod 4) - 1, with k the
// number of characters other than CR, LF and "=". Characters outside the
// alphabet count as zero.
QByteArray Base64Decode(QByteArrayView text);

} // namespace vesk
