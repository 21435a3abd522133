#pragma once

#include <QString>

#include <optional>

namespace vesk {

// A colour as the settings hold it: a 32-bit value that is either an RGB
// colour 0x00BBGGRR or, with the high byte 0xFF, one of the desktop's system
// colours (the low byte names which). Stored as text: the colour's constant
// name where it has one (clYellow, clCaptionText, ...), else "$" and eight
// hexadecimal digits 00BBGGRR. Keeping the raw value lets every stored colour
// read back and write out unchanged.
class ColorValue
{
public:
    constexpr ColorValue() = default;
    constexpr explicit ColorValue(quint32 value)
        : m_value(value)
    { }
    static constexpr ColorValue fromRgb(int red, int green, int blue)
    {
        return ColorValue(quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16);
    }
    static constexpr ColorValue system(int index) { return ColorValue(SystemFlag | quint32(index & 0xFF)); }

    // A colour name (any case), "$" with up to eight hexadecimal digits, or a
    // decimal number; nothing for any other text.
    static std::optional<ColorValue> fromText(QStringView text);
    static ColorValue fromText(QStringView text, ColorValue fallback);
    QString toText() const;

    constexpr quint32 value() const { return m_value; }
    constexpr bool isSystemColor() const { return (m_value & 0xFF000000u) == SystemFlag; }
    // The desktop colour index (COLOR_WINDOWTEXT = 8, ...) of a system colour.
    constexpr int systemIndex() const { return int(m_value & 0xFF); }
    constexpr int red() const { return int(m_value & 0xFF); }
    constexpr int green() const { return int(m_value >> 8 & 0xFF); }
    constexpr int blue() const { return int(m_value >> 16 & 0xFF); }

    constexpr bool operator==(const ColorValue &other) const = default;

    static constexpr quint32 SystemFlag = 0xFF000000u;

private:
    quint32 m_value = 0;
};

namespace colors {
inline constexpr ColorValue clBlack = ColorValue(0x000000);
inline constexpr ColorValue clMaroon = ColorValue(0x000080);
inline constexpr ColorValue clGreen = ColorValue(0x008000);
inline constexpr ColorValue clOlive = ColorValue(0x008080);
inline constexpr ColorValue clNavy = ColorValue(0x800000);
inline constexpr ColorValue clPurple = ColorValue(0x800080);
inline constexpr ColorValue clTeal = ColorValue(0x808000);
inline constexpr ColorValue clGray = ColorValue(0x808080);
inline constexpr ColorValue clSilver = ColorValue(0xC0C0C0);
inline constexpr ColorValue clRed = ColorValue(0x0000FF);
inline constexpr ColorValue clLime = ColorValue(0x00FF00);
inline constexpr ColorValue clYellow = ColorValue(0x00FFFF);
inline constexpr ColorValue clBlue = ColorValue(0xFF0000);
inline constexpr ColorValue clFuchsia = ColorValue(0xFF00FF);
inline constexpr ColorValue clAqua = ColorValue(0xFFFF00);
inline constexpr ColorValue clWhite = ColorValue(0xFFFFFF);
inline constexpr ColorValue clMoneyGreen = ColorValue(0xC0DCC0);
inline constexpr ColorValue clSkyBlue = ColorValue(0xF0CAA6);
inline constexpr ColorValue clCream = ColorValue(0xF0FBFF);
inline constexpr ColorValue clMedGray = ColorValue(0xA4A0A0);

inline constexpr ColorValue clScrollBar = ColorValue::system(0);
inline constexpr ColorValue clBackground = ColorValue::system(1);
inline constexpr ColorValue clActiveCaption = ColorValue::system(2);
inline constexpr ColorValue clInactiveCaption = ColorValue::system(3);
inline constexpr ColorValue clMenu = ColorValue::system(4);
inline constexpr ColorValue clWindow = ColorValue::system(5);
inline constexpr ColorValue clWindowFrame = ColorValue::system(6);
inline constexpr ColorValue clMenuText = ColorValue::system(7);
inline constexpr ColorValue clWindowText = ColorValue::system(8);
inline constexpr ColorValue clCaptionText = ColorValue::system(9);
inline constexpr ColorValue clActiveBorder = ColorValue::system(10);
inline constexpr ColorValue clInactiveBorder = ColorValue::system(11);
inline constexpr ColorValue clAppWorkSpace = ColorValue::system(12);
inline constexpr ColorValue clHighlight = ColorValue::system(13);
inline constexpr ColorValue clHighlightText = ColorValue::system(14);
inline constexpr ColorValue clBtnFace = ColorValue::system(15);
inline constexpr ColorValue clBtnShadow = ColorValue::system(16);
inline constexpr ColorValue clGrayText = ColorValue::system(17);
inline constexpr ColorValue clBtnText = ColorValue::system(18);
inline constexpr ColorValue clInactiveCaptionText = ColorValue::system(19);
inline constexpr ColorValue clBtnHighlight = ColorValue::system(20);
inline constexpr ColorValue cl3DDkShadow = ColorValue::system(21);
inline constexpr ColorValue cl3DLight = ColorValue::system(22);
inline constexpr ColorValue clInfoText = ColorValue::system(23);
inline constexpr ColorValue clInfoBk = ColorValue::system(24);
inline constexpr ColorValue clHotLight = ColorValue::system(26);
inline constexpr ColorValue clGradientActiveCaption = ColorValue::system(27);
inline constexpr ColorValue clGradientInactiveCaption = ColorValue::system(28);
inline constexpr ColorValue clMenuHighlight = ColorValue::system(29);
inline constexpr ColorValue clMenuBar = ColorValue::system(30);

inline constexpr ColorValue clNone = ColorValue(0x1FFFFFFF);
inline constexpr ColorValue clDefault = ColorValue(0x20000000);
} // namespace colors

} // namespace vesk
