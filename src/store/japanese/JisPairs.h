#pragma once

#include <cstdint>

// The arithmetic between JIS X 0208 row/cell pairs and Shift_JIS, and the
// half-width katakana table. No range checks: any byte pair gives a pair.
namespace vesk {

struct BytePair
{
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    friend bool operator==(BytePair, BytePair) = default;
};

constexpr BytePair JisToSjisPair(unsigned c1, unsigned c2)
{
    unsigned second;
    if (c1 & 1)
        second = c2 <= 0x5F ? c2 + 0x1F : c2 + 0x20;
    else
        second = c2 + 0x7E;
    const unsigned first = ((c1 + 1) >> 1) + (c1 < 0x5F ? 0x70 : 0xB0);
    return { std::uint8_t(first), std::uint8_t(second) };
}

constexpr BytePair SjisToJisPair(unsigned c1, unsigned c2)
{
    const bool adjust = c2 < 0x9F;
    const unsigned rowOffset = c1 < 0xA0 ? 0x70 : 0xB0;
    const unsigned cellOffset = adjust ? (c2 < 0x80 ? 0x1F : 0x20) : 0x7E;
    const unsigned first = (c1 - rowOffset) * 2 - (adjust ? 1 : 0);
    return { std::uint8_t(first), std::uint8_t(c2 - cellOffset) };
}

struct KanaResult
{
    BytePair jis;
    bool markUsed = false; // the following voiced/semi-voiced mark was folded in
};

// The full-width JIS pair of a half-width katakana byte (0xA1..0xDF), folding
// in the voiced (0xDE) or semi-voiced (0xDF) mark that follows it where the
// pair has such a form. `nextKana` is the next half-width byte, 0 if none.
// Bytes outside 0xA1..0xDF give the pair of the middle dot.
KanaResult KanaToJis(unsigned kana, unsigned nextKana);

} // namespace vesk
