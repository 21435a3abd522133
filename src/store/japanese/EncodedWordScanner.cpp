#include "store/japanese/EncodedWordScanner.h"

#include <array>
#include <string_view>

namespace vesk {
namespace {

// Longer than any charset name with its language; keeps each try short.
constexpr qsizetype kLongestCharset = 64;

// RFC 2047 token characters: printable ASCII other than the especials.
constexpr std::array<bool, 256> makeTokenChars()
{
    std::array<bool, 256> token {};
    for (int c = '!'; c < 0x7F; ++c)
        token[c] = true;
    for (char c : std::string_view("()<>@,;:\"/[]?.="))
        token[uchar(c)] = false;
    return token;
}

constexpr std::array<bool, 256> kTokenChars = makeTokenChars();

inline bool isTokenChar(char c)
{
    return kTokenChars[uchar(c)];
}

} // namespace

qsizetype EncodedWordScanner::endAfter(qsizetype from)
{
    if (m_end >= from)
        return m_end;
    if (m_noEnd)
        return -1;
    m_end = m_text.indexOf("?=", from);
    m_noEnd = m_end < 0;
    return m_end;
}

std::optional<EncodedWord> EncodedWordScanner::next(qsizetype from)
{
    const qsizetype n = m_text.size();
    for (qsizetype p = m_text.indexOf("=?", from); p >= 0; p = m_text.indexOf("=?", p + 1)) {
        const qsizetype charsetStart = p + 2;
        const qsizetype limit = qMin(n, charsetStart + kLongestCharset);
        qsizetype i = charsetStart;
        while (i < limit && isTokenChar(m_text[i]))
            ++i;
        if (i == charsetStart || i + 2 >= n || m_text[i] != '?' || m_text[i + 2] != '?')
            continue;
        const char encoding = char(m_text[i + 1] & ~0x20); // ASCII upper case
        if (encoding != 'B' && encoding != 'Q')
            continue;
        const qsizetype payloadStart = i + 3;
        const qsizetype close = endAfter(payloadStart);
        if (close < 0)
            return std::nullopt; // no later word can end either
        EncodedWord word;
        word.begin = p;
        word.end = close + 2;
        word.charset = m_text.sliced(charsetStart, i - charsetStart);
        word.encoding = encoding;
        word.payload = m_text.sliced(payloadStart, close - payloadStart);
        return word;
    }
    return std::nullopt;
}

} // namespace vesk
