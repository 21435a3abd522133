#include "store/japanese/MimeDecode.h"

#include "store/japanese/ByteText.h"

namespace vesk {
namespace {

constexpr QByteArrayView kPrefix("=?ISO-2022-JP?B?");
constexpr QByteArrayView kSuffix("?=");
constexpr QByteArrayView kLeaveTwoByte("\x1b(J");

} // namespace

QByteArray MimeDecode(QByteArrayView text)
{
    QByteArray result;
    result.reserve(text.size() + 16);
    qsizetype pos = 0;
    for (;;) {
        const qsizetype p = bytetext::indexOfUpper(text, kPrefix, pos);
        if (p < 0)
            break;
        result.append(text.sliced(pos, p - pos));
        const qsizetype start = p + kPrefix.size();
        const qsizetype q = text.indexOf(kSuffix, start);
        if (q < 0) {
            // An unterminated word loses its prefix; the rest stays as it is.
            pos = start;
            continue;
        }
        result.append(Base64Decode(text.sliced(start, q - start)));
        result.append(kLeaveTwoByte);
        // Decoded text is not searched again for words.
        pos = q + kSuffix.size();
    }
    result.append(text.sliced(pos));
    return result;
}

} // namespace vesk
