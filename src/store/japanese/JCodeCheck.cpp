#include "store/japanese/JCode.h"

#include <algorithm>

namespace vesk {
namespace {

constexpr qsizetype kBinaryScan = 512;

inline bool isControlOrFF(unsigned b)
{
    return b < 0x08 || b == 0xFF;
}

inline bool in(unsigned b, unsigned low, unsigned high)
{
    return b >= low && b <= high;
}

} // namespace

int JCodeCheck(QByteArrayView text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const qsizetype n = text.size();

    // The last byte is never looked at, here or below: a text cut in the
    // middle of a character must not decide anything.
    const qsizetype scan = std::min(kBinaryScan, n - 1);
    for (qsizetype i = 0; i < scan; ++i) {
        if (isControlOrFF(p[i]))
            return JCodeBinary;
    }

    int kind = JCodeNone;
    qsizetype i = 0;
    while ((kind == JCodeNone || kind == JCodeEucOrSjis) && i < n - 1) {
        const unsigned b = p[i];
        if (b == 0x1B) {
            ++i;
            if (p[i] == '(' && i + 2 < n && p[i + 1] == 'I') {
                kind = JCodeJis; // half-width kana inside JIS text
                continue;
            }
            if (p[i] == '$')
                ++i;
            if (i < n && p[i] == 'B')
                kind = JCodeJis;
            else if (i < n && p[i] == '@')
                kind = JCodeOldJis;
        } else if (isControlOrFF(b)) {
            kind = JCodeBinary;
        } else if (b <= 0x7F) {
            // ASCII decides nothing
        } else if (in(b, 0x81, 0x8D) || in(b, 0x8F, 0x9F)) {
            kind = JCodeSjis;
        } else if (b == 0x8E) {
            const unsigned c = p[++i];
            if (in(c, 0x40, 0x7E) || in(c, 0x80, 0xA0) || in(c, 0xE0, 0xFC))
                kind = JCodeSjis;
            else if (in(c, 0xA1, 0xDF))
                kind = JCodeEucOrSjis;
        } else if (in(b, 0xA1, 0xDF)) {
            const unsigned c = p[++i];
            if (in(c, 0xF0, 0xFE)) {
                kind = JCodeEuc;
            } else if (in(c, 0xA1, 0xDF)) {
                kind = JCodeEucOrSjis;
            } else if (in(c, 0xE0, 0xEF)) {
                // An EUC pair or a half-width kana followed by a Shift_JIS lead
                // byte: the rest of the run of non-ASCII bytes may tell.
                kind = JCodeEucOrSjis;
                while (i < n && p[i] >= 0x40 && kind == JCodeEucOrSjis) {
                    if (in(p[i], 0x81, 0x8D) || in(p[i], 0x8F, 0x9C))
                        kind = JCodeSjis;
                    else if (p[i] == 0xFD || p[i] == 0xFE)
                        kind = JCodeEuc;
                    ++i;
                }
            } else if (c <= 0x9F) {
                kind = JCodeSjis;
            }
        } else if (in(b, 0xF0, 0xFE)) {
            kind = JCodeEuc;
        } else if (in(b, 0xE0, 0xEF)) {
            const unsigned c = p[++i];
            if (in(c, 0x40, 0x7E) || in(c, 0x80, 0xA0))
                kind = JCodeSjis;
            else if (c == 0xFD || c == 0xFE)
                kind = JCodeEuc;
            else if (in(c, 0xA1, 0xFC))
                kind = JCodeEucOrSjis;
        }
        // 0x80 and 0xA0 decide nothing
        ++i;
    }
    return kind;
}

} // namespace vesk
