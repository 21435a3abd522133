#include "settings/ColorValue.h"

#include "settings/NumberText.h"

#include <array>

namespace vesk {
namespace {

struct ColorName
{
    QLatin1StringView name;
    ColorValue color;
};

using namespace colors;

// The first name of a value is the one written.
constexpr std::array<ColorName, 54> Names = { {
    { QLatin1StringView("clBlack"), clBlack },
    { QLatin1StringView("clMaroon"), clMaroon },
    { QLatin1StringView("clGreen"), clGreen },
    { QLatin1StringView("clOlive"), clOlive },
    { QLatin1StringView("clNavy"), clNavy },
    { QLatin1StringView("clPurple"), clPurple },
    { QLatin1StringView("clTeal"), clTeal },
    { QLatin1StringView("clGray"), clGray },
    { QLatin1StringView("clSilver"), clSilver },
    { QLatin1StringView("clRed"), clRed },
    { QLatin1StringView("clLime"), clLime },
    { QLatin1StringView("clYellow"), clYellow },
    { QLatin1StringView("clBlue"), clBlue },
    { QLatin1StringView("clFuchsia"), clFuchsia },
    { QLatin1StringView("clAqua"), clAqua },
    { QLatin1StringView("clWhite"), clWhite },
    { QLatin1StringView("clMoneyGreen"), clMoneyGreen },
    { QLatin1StringView("clSkyBlue"), clSkyBlue },
    { QLatin1StringView("clCream"), clCream },
    { QLatin1StringView("clMedGray"), clMedGray },
    { QLatin1StringView("clScrollBar"), clScrollBar },
    { QLatin1StringView("clBackground"), clBackground },
    { QLatin1StringView("clActiveCaption"), clActiveCaption },
    { QLatin1StringView("clInactiveCaption"), clInactiveCaption },
    { QLatin1StringView("clMenu"), clMenu },
    { QLatin1StringView("clWindow"), clWindow },
    { QLatin1StringView("clWindowFrame"), clWindowFrame },
    { QLatin1StringView("clMenuText"), clMenuText },
    { QLatin1StringView("clWindowText"), clWindowText },
    { QLatin1StringView("clCaptionText"), clCaptionText },
    { QLatin1StringView("clActiveBorder"), clActiveBorder },
    { QLatin1StringView("clInactiveBorder"), clInactiveBorder },
    { QLatin1StringView("clAppWorkSpace"), clAppWorkSpace },
    { QLatin1StringView("clHighlight"), clHighlight },
    { QLatin1StringView("clHighlightText"), clHighlightText },
    { QLatin1StringView("clBtnFace"), clBtnFace },
    { QLatin1StringView("clBtnShadow"), clBtnShadow },
    { QLatin1StringView("clGrayText"), clGrayText },
    { QLatin1StringView("clBtnText"), clBtnText },
    { QLatin1StringView("clInactiveCaptionText"), clInactiveCaptionText },
    { QLatin1StringView("clBtnHighlight"), clBtnHighlight },
    { QLatin1StringView("cl3DDkShadow"), cl3DDkShadow },
    { QLatin1StringView("cl3DLight"), cl3DLight },
    { QLatin1StringView("clInfoText"), clInfoText },
    { QLatin1StringView("clInfoBk"), clInfoBk },
    { QLatin1StringView("clHotLight"), clHotLight },
    { QLatin1StringView("clGradientActiveCaption"), clGradientActiveCaption },
    { QLatin1StringView("clGradientInactiveCaption"), clGradientInactiveCaption },
    { QLatin1StringView("clMenuHighlight"), clMenuHighlight },
    { QLatin1StringView("clMenuBar"), clMenuBar },
    { QLatin1StringView("clNone"), clNone },
    { QLatin1StringView("clDefault"), clDefault },
    // Older spellings, read but never written.
    { QLatin1StringView("clLtGray"), clSilver },
    { QLatin1StringView("clDkGray"), clGray },
} };

std::optional<quint32> parseHex(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | quint32(digit);
    }
    return value;
}

} // namespace

std::optional<ColorValue> ColorValue::fromText(QStringView text)
{
    for (const ColorName &entry : Names) {
        if (text.compare(entry.name, Qt::CaseInsensitive) == 0)
            return entry.color;
    }
    std::optional<quint32> value;
    if (text.startsWith(u'$'))
        value = parseHex(text.sliced(1));
    else if (text.startsWith(u"0x", Qt::CaseInsensitive))
        value = parseHex(text.sliced(2));
    else if (auto number = parseDecimal(text))
        value = quint32(*number);
    if (!value)
        return std::nullopt;
    return ColorValue(*value);
}

ColorValue ColorValue::fromText(QStringView text, ColorValue fallback)
{
    return fromText(text).value_or(fallback);
}

QString ColorValue::toText() const
{
    for (const ColorName &entry : Names) {
        if (entry.color == *this)
            return entry.name;
    }
    return u'$' + QStringLiteral("%1").arg(m_value, 8, 16, QLatin1Char('0')).toUpper();
}

} // namespace vesk
