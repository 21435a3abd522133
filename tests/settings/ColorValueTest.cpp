#include "settings/ColorValue.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(ColorValueTest, EveryTextReadsBackToTheSameColourAndOtherTextsAreNone)
{
    for (const char *text :
        { "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray", "clSilver",
            "clRed", "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite", "clMoneyGreen",
            "clSkyBlue", "clCream", "clMedGray", "clBtnFace", "clHighlight", "clWindow", "clInfoBk", "clNone",
            "clDefault", "clCaptionText", "$00666666", "$00006E00", "$12345678", "$FF000019" }) {
        const std::optional<ColorValue> color = ColorValue::fromText(QString::fromLatin1(text));
        ASSERT_TRUE(color) << text;
        EXPECT_EQ(color->toText(), QString::fromLatin1(text));
    }
    for (const char *text : { "", "clNoSuchColour", "$", "$123456789", "$00GG0000", "red", "12 34" })
        EXPECT_FALSE(ColorValue::fromText(QString::fromLatin1(text))) << text;
    EXPECT_EQ(ColorValue::fromText(u"junk", colors::clAqua), colors::clAqua);
}

TEST(ColorValueTest, NamesInAnyCaseHexadecimalIsBlueGreenRedAndNamedColoursWriteTheirName)
{
    EXPECT_EQ(ColorValue::fromText(u"CLCAPTIONTEXT"), colors::clCaptionText);
    EXPECT_EQ(ColorValue::fromText(u"clDkGray")->toText(), "clGray");
    EXPECT_EQ(ColorValue::fromText(u"$00ffffff")->toText(), "clWhite");
    EXPECT_EQ(ColorValue::fromText(u"255"), colors::clRed);
    const ColorValue orange = *ColorValue::fromText(u"$000080FF");
    EXPECT_EQ(
        (std::array { orange.red(), orange.green(), orange.blue() }), (std::array { 0xFF, 0x80, 0x00 }));
    EXPECT_EQ(ColorValue::fromRgb(0x11, 0x22, 0x33).toText(), "$00332211");
    EXPECT_EQ(colors::clCaptionText.systemIndex(), 9);
    EXPECT_FALSE(colors::clWhite.isSystemColor());
}

} // namespace vesk::test
