#include "store/japanese/JisPairs.h"

namespace vesk {
namespace {

// Second JIS byte for half-width katakana 0xA1..0xDF (index kana - 0xA1).
constexpr std::uint8_t kSecond[63] = {
    0x23,
    0x56,
    0x57,
    0x22,
    0x26,
    0x72,
    0x21,
    0x23,
    0x25,
    0x27,
    0x29,
    0x63,
    0x65,
    0x67,
    0x43,
    0x3C,
    0x22,
    0x24,
    0x26,
    0x28,
    0x2A,
    0x2B,
    0x2D,
    0x2F,
    0x31,
    0x33,
    0x35,
    0x37,
    0x39,
    0x3B,
    0x3D,
    0x3F,
    0x41,
    0x44,
    0x46,
    0x48,
    0x4A,
    0x4B,
    0x4C,
    0x4D,
    0x4E,
    0x4F,
    0x52,
    0x55,
    0x58,
    0x5B,
    0x5E,
    0x5F,
    0x60,
    0x61,
    0x62,
    0x64,
    0x66,
    0x68,
    0x69,
    0x6A,
    0x6B,
    0x6C,
    0x6D,
    0x6F,
    0x73,
    0x2B,
    0x2C,
};

constexpr unsigned kVoiced = 0xDE;
constexpr unsigned kSemiVoiced = 0xDF;

// Punctuation (。「」、・ー ゛゜) lives in row 0x21, everything else in the katakana row.
bool isPunctuation(unsigned kana)
{
    return (kana >= 0xA1 && kana <= 0xA5) || kana == 0xB0 || kana == 0xDE || kana == 0xDF;
}

} // namespace

KanaResult KanaToJis(unsigned kana, unsigned nextKana)
{
    if (kana < 0xA1 || kana > 0xDF)
        return { { 0x21, 0x26 }, false };
    KanaResult result;
    result.jis.first = isPunctuation(kana) ? 0x21 : 0x25;
    result.jis.second = kSecond[kana - 0xA1];
    const bool ka_to = kana >= 0xB6 && kana <= 0xC4; // ｶ..ﾄ
    const bool ha_ho = kana >= 0xCA && kana <= 0xCE; // ﾊ..ﾎ
    if (nextKana == kVoiced && (ka_to || ha_ho)) {
        result.jis.second += 1;
        result.markUsed = true;
    } else if (nextKana == kSemiVoiced && ha_ho) {
        result.jis.second += 2;
        result.markUsed = true;
    } else if (nextKana == kVoiced && kana == 0xB3) { // ｳﾞ
        result.jis = { 0x25, 0x74 };
        result.markUsed = true;
    }
    return result;
}

} // namespace vesk
