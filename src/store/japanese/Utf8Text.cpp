#include "store/japanese/Utf8Text.h"

namespace vesk {
namespace {

inline bool in(unsigned b, unsigned low, unsigned high)
{
    return b >= low && b <= high;
}

// Length of the well-formed sequence at p[0..n), or 0 (RFC 3629, table 3-7
// of the Unicode standard).
qsizetype sequenceLength(const unsigned char *p, qsizetype n)
{
    const unsigned b = p[0];
    qsizetype length;
    unsigned low = 0x80, high = 0xBF; // range of the second byte
    if (in(b, 0xC2, 0xDF)) {
        length = 2;
    } else if (in(b, 0xE0, 0xEF)) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;
        else if (b == 0xED)
            high = 0x9F;
    } else if (in(b, 0xF0, 0xF4)) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        else if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (n < length || !in(p[1], low, high))
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (!in(p[i], 0x80, 0xBF))
            return 0;
    }
    return length;
}

} // namespace

bool isUtf8Text(QByteArrayView text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const qsizetype n = text.size();
    bool wide = false;
    for (qsizetype i = 0; i < n;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const qsizetype length = sequenceLength(p + i, n - i);
        if (length == 0)
            return false;
        wide = true;
        i += length;
    }
    return wide;
}

} // namespace vesk
