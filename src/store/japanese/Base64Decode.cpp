#include "store/japanese/MimeDecode.h"

#include <array>

namespace vesk {
namespace {

constexpr std::uint8_t kPad = 0xFF;

constexpr std::array<std::uint8_t, 256> makeValues()
{
    std::array<std::uint8_t, 256> values {}; // outside the alphabet: zero
    for (int c = 'A'; c <= 'Z'; ++c)
        values[c] = std::uint8_t(c - 'A');
    for (int c = 'a'; c <= 'z'; ++c)
        values[c] = std::uint8_t(c - 'a' + 26);
    for (int c = '0'; c <= '9'; ++c)
        values[c] = std::uint8_t(c - '0' + 52);
    values['+'] = 62;
    values['/'] = 63;
    values['='] = kPad;
    return values;
}

constexpr std::array<std::uint8_t, 256> kValues = makeValues();

inline bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

QByteArray Base64Decode(QByteArrayView text)
{
    const qsizetype n = text.size();
    qsizetype skipped = 0;
    for (char c : text) {
        if (isLineEnd(c) || c == '=')
            ++skipped;
    }
    const qsizetype k = n - skipped;
    const qsizetype length = (k / 4) * 3 + ((k % 4) != 0 ? (k % 4) - 1 : 0);

    QByteArray result(length, Qt::Uninitialized);
    auto *out = reinterpret_cast<std::uint8_t *>(result.data());
    qsizetype w = 0;
    const auto put = [&](unsigned value) {
        if (w < length) // a group that runs past the end is cut
            out[w++] = std::uint8_t(value);
    };

    qsizetype i = 0;
    while (i < n && w < length) {
        if (isLineEnd(text[i])) {
            ++i;
            continue;
        }
        // Characters past the end of the text count as padding.
        std::uint8_t q[4];
        for (int j = 0; j < 4; ++j)
            q[j] = i + j < n ? kValues[std::uint8_t(text[i + j])] : kPad;
        i += 4;
        const auto v = [&](int j) -> unsigned { return q[j] == kPad ? 0 : q[j]; };
        put((v(0) << 2) | (v(1) >> 4));
        if (q[2] == kPad)
            continue;
        put((v(1) << 4) | (v(2) >> 2));
        if (q[3] == kPad)
            continue;
        put((v(2) << 6) | v(3));
    }
    result.truncate(w);
    return result;
}

} // namespace vesk
