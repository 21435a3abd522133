#include "store/japanese/JCode.h"
#include "store/japanese/JisPairs.h"

#include <array>
#include <cstring>

namespace vesk {
namespace {

using uchar8 = unsigned char;

constexpr uchar8 kEsc = 0x1B;
constexpr char kEnterTwoByte[] = "\x1b$B";
constexpr char kLeaveTwoByte[] = "\x1b(J";

// Output that may grow past the input size (conversions to JIS and EUC-JP).
class ByteSink
{
public:
    explicit ByteSink(qsizetype expected) { m_out.reserve(expected); }
    void put(uchar8 b) { m_out.append(char(b)); }
    void put(BytePair pair)
    {
        m_out.append(char(pair.first));
        m_out.append(char(pair.second));
    }
    void put(const char (&escape)[4]) { m_out.append(escape, 3); }
    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_out;
};

// Two-byte mode switching for the conversions that write JIS.
class JisWriter
{
public:
    explicit JisWriter(qsizetype expected)
        : m_sink(expected)
    { }
    void oneByte(uchar8 b)
    {
        if (m_twoByte) {
            m_sink.put(kLeaveTwoByte);
            m_twoByte = false;
        }
        m_sink.put(b);
    }
    void twoByte(BytePair pair)
    {
        enterTwoByte();
        m_sink.put(pair);
    }
    void enterTwoByte()
    {
        if (!m_twoByte) {
            m_sink.put(kEnterTwoByte);
            m_twoByte = true;
        }
    }
    void raw(uchar8 b) { m_sink.put(b); }
    // No ESC ( J is added at the end of the text.
    QByteArray take() { return m_sink.take(); }

private:
    ByteSink m_sink;
    bool m_twoByte = false;
};

// What the bytes after the last escape are: ASCII (or JIS X 0201 Roman),
// two-byte JIS, or half-width katakana (ESC ( I, written by some Japanese
// mailers inside ISO-2022-JP).
enum class JisMode { OneByte, TwoByte, Kana };

// Skips any escape sequences at i. Every escape counts as three bytes; its
// second byte "$" enters two-byte mode, "(" leaves it, for half-width kana
// when the third is "I". Returns false at the end.
inline bool skipEscapes(const uchar8 *p, qsizetype n, qsizetype &i, JisMode &mode)
{
    while (p[i] == kEsc) {
        if (i + 1 < n) {
            if (p[i + 1] == '$')
                mode = JisMode::TwoByte;
            else if (p[i + 1] == '(')
                mode = (i + 2 < n && p[i + 2] == 'I') ? JisMode::Kana : JisMode::OneByte;
        }
        i += 3;
        if (i >= n)
            return false;
    }
    return true;
}

// A byte of the half-width kana set (0x21-0x5F) as Shift_JIS has it.
inline uchar8 kanaByte(uchar8 b)
{
    return (b >= 0x21 && b <= 0x5F) ? uchar8(b + 0x80) : b;
}

// JisToSjisPair as tables, so the hot loop has no data-dependent branches:
// the first byte depends on c1 alone, the second on c1's parity and c2.
struct JisToSjisTables
{
    std::array<uchar8, 256> first {};
    std::array<std::array<uchar8, 256>, 2> second {};
};

constexpr JisToSjisTables makeJisToSjisTables()
{
    JisToSjisTables t;
    for (unsigned c = 0; c < 256; ++c) {
        t.first[c] = JisToSjisPair(c, 0x21).first;
        t.second[0][c] = JisToSjisPair(0x22, c).second;
        t.second[1][c] = JisToSjisPair(0x21, c).second;
    }
    return t;
}

constexpr JisToSjisTables kJisToSjis = makeJisToSjisTables();

QByteArray jisToSjis(const uchar8 *p, qsizetype n)
{
    // Never longer than the input: escapes vanish, pairs stay pairs.
    QByteArray result(n, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar8 *>(result.data());
    qsizetype w = 0;
    JisMode mode = JisMode::OneByte;
    qsizetype i = 0;
    while (i < n) {
        if (p[i] == kEsc && !skipEscapes(p, n, i, mode))
            break;
        if (mode == JisMode::Kana) {
            for (; i < n && p[i] != kEsc; ++i)
                out[w++] = kanaByte(p[i]);
            continue;
        }
        if (mode == JisMode::OneByte) {
            // Copy the run of plain bytes up to the next escape in one go.
            const qsizetype start = i;
            while (i < n && p[i] != kEsc)
                ++i;
            std::memcpy(out + w, p + start, size_t(i - start));
            w += i - start;
            continue;
        }
        // Line ends are not special in two-byte mode.
        while (i + 1 < n && p[i] != kEsc) {
            const uchar8 c1 = p[i];
            const uchar8 c2 = p[i + 1];
            out[w] = kJisToSjis.first[c1];
            out[w + 1] = kJisToSjis.second[c1 & 1][c2];
            w += 2;
            i += 2;
        }
        if (i + 1 == n && p[i] != kEsc) {
            out[w++] = p[i]; // a lone last byte has no partner
            ++i;
        }
    }
    result.truncate(w);
    return result;
}

QByteArray eucToSjis(const uchar8 *p, qsizetype n)
{
    QByteArray result(n, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar8 *>(result.data());
    qsizetype w = 0;
    qsizetype i = 0;
    while (i < n) {
        const uchar8 b = p[i];
        if (b < 0x81 || b == 0xFF) {
            out[w++] = b;
            ++i;
        } else if (i + 1 == n) {
            out[w++] = b; // a lone last byte has no partner
            ++i;
        } else if (b == 0x8E) {
            out[w++] = p[i + 1]; // half-width katakana is the same byte in Shift_JIS
            i += 2;
        } else {
            const BytePair pair = JisToSjisPair(b & 0x7F, p[i + 1] & 0x7F);
            out[w++] = pair.first;
            out[w++] = pair.second;
            i += 2;
        }
    }
    result.truncate(w);
    return result;
}

QByteArray jisToEuc(const uchar8 *p, qsizetype n)
{
    // A half-width kana takes two bytes in EUC-JP.
    ByteSink out(n + n / 4 + 8);
    JisMode mode = JisMode::OneByte;
    qsizetype i = 0;
    while (i < n) {
        if (p[i] == kEsc && !skipEscapes(p, n, i, mode))
            break;
        const uchar8 b = p[i++];
        if (mode == JisMode::TwoByte && b >= 0x21 && b <= 0x7E) {
            out.put(uchar8(b | 0x80));
        } else if (mode == JisMode::Kana && b >= 0x21 && b <= 0x5F) {
            out.put(uchar8(0x8E));
            out.put(kanaByte(b));
        } else {
            out.put(b);
        }
    }
    return out.take();
}

inline bool isLineEnd(uchar8 b)
{
    return b == '\r' || b == '\n';
}

QByteArray eucToJis(const uchar8 *p, qsizetype n)
{
    JisWriter out(n + n / 4 + 8);
    qsizetype i = 0;
    while (i < n) {
        const uchar8 b = p[i];
        if (isLineEnd(b) || b <= 0x7F) {
            out.oneByte(b);
            ++i;
            continue;
        }
        out.enterTwoByte();
        if (i + 1 == n) {
            out.raw(b); // a lone last byte has no partner
            ++i;
        } else if (b == 0x8E && p[i + 1] >= 0xA1 && p[i + 1] <= 0xDF) {
            const unsigned mark = (i + 3 < n && p[i + 2] == 0x8E) ? p[i + 3] : 0;
            const KanaResult kana = KanaToJis(p[i + 1], mark);
            out.twoByte(kana.jis);
            i += kana.markUsed ? 4 : 2;
        } else {
            out.twoByte({ uchar8(b & 0x7F), uchar8(p[i + 1] & 0x7F) });
            i += 2;
        }
    }
    return out.take();
}

inline bool isHalfWidthKana(uchar8 b)
{
    return b >= 0xA1 && b <= 0xDF;
}

QByteArray sjisToJis(const uchar8 *p, qsizetype n)
{
    JisWriter out(n + n / 4 + 8);
    qsizetype i = 0;
    while (i < n) {
        const uchar8 b = p[i];
        if (b <= 0x7F) {
            out.oneByte(b);
            ++i;
        } else if (isHalfWidthKana(b)) {
            const KanaResult kana = KanaToJis(b, i + 1 < n ? p[i + 1] : 0);
            out.twoByte(kana.jis);
            i += kana.markUsed ? 2 : 1;
        } else if (i + 1 == n) {
            out.enterTwoByte();
            out.raw(b); // a lone last byte has no partner
            ++i;
        } else {
            out.twoByte(SjisToJisPair(b, p[i + 1]));
            i += 2;
        }
    }
    return out.take();
}

QByteArray sjisToEuc(const uchar8 *p, qsizetype n)
{
    ByteSink out(n + n / 4 + 8);
    qsizetype i = 0;
    while (i < n) {
        const uchar8 b = p[i];
        if (b < 0x80) {
            out.put(b);
            ++i;
        } else if (isHalfWidthKana(b)) {
            out.put(uchar8(0x8E));
            out.put(b);
            ++i;
        } else if (i + 1 == n) {
            out.put(b); // a lone last byte has no partner
            ++i;
        } else {
            const BytePair jis = SjisToJisPair(b, p[i + 1]);
            out.put(BytePair { uchar8(jis.first | 0x80), uchar8(jis.second | 0x80) });
            i += 2;
        }
    }
    return out.take();
}

} // namespace

QByteArray JCodeConvert(QByteArrayView text, int target)
{
    const int kind = JCodeCheck(text);
    if (kind < JCodeJis || kind == JCodeEucOrSjis || kind == target)
        return text.toByteArray();
    const auto *p = reinterpret_cast<const uchar8 *>(text.data());
    const qsizetype n = text.size();
    const bool fromJis = kind == JCodeJis || kind == JCodeOldJis;
    switch (target) {
    case JCodeSjis:
        if (fromJis)
            return jisToSjis(p, n);
        if (kind == JCodeEuc)
            return eucToSjis(p, n);
        break;
    case JCodeJis:
        if (kind == JCodeEuc)
            return eucToJis(p, n);
        if (kind == JCodeSjis)
            return sjisToJis(p, n);
        break;
    case JCodeEuc:
        if (fromJis)
            return jisToEuc(p, n);
        if (kind == JCodeSjis)
            return sjisToEuc(p, n);
        break;
    default:
        break;
    }
    return text.toByteArray();
}

} // namespace vesk
