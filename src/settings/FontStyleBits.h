#pragma once

namespace vesk {

// A font style as the settings store it: an integer bit set.
class FontStyleBits
{
public:
    enum Bit { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    constexpr FontStyleBits() = default;
    // Bits other than the four styles are dropped.
    constexpr explicit FontStyleBits(int bits)
        : m_bits(bits & (Bold | Italic | Underline | StrikeOut))
    { }

    constexpr int bits() const { return m_bits; }
    constexpr bool has(Bit bit) const { return (m_bits & bit) != 0; }
    constexpr FontStyleBits with(Bit bit, bool on) const
    {
        return FontStyleBits(on ? (m_bits | bit) : (m_bits & ~bit));
    }

    constexpr bool operator==(const FontStyleBits &other) const = default;

private:
    int m_bits = 0;
};

} // namespace vesk
