#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vesk {

// The ISO-2022-JP family whose words keep the system's own JIS conversion,
// which also knows the NEC and IBM extension rows that Windows mailers write.
inline constexpr QByteArrayView kJisCharset("ISO-2022-JP");

// The name a MIME charset label converts under: upper-cased, without an
// RFC 2231 language ("*ja"), and with the labels that mail uses for a
// narrower table than its senders really write mapped to the wider one
// (Shift_JIS to CP932, EUC-JP to its Microsoft form, GB2312 to GBK).
// ISO-2022-JP and its Microsoft variants give kJisCharset.
QByteArray mimeCharsetName(QByteArrayView label);

} // namespace vesk
