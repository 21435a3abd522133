#include "settings/ColorValue.h"
#include "settings/FontStyleBits.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(ColorValueTest, NamesReadInAnyCaseAndWriteBack)
{
    EXPECT_EQ(ColorValue::fromText(u"clYellow"), colors::clYellow);
    EXPECT_EQ(ColorValue::fromText(u"CLCAPTIONTEXT"), colors::clCaptionText);
    EXPECT_EQ(colors::clYellow.toText(), "clYellow");
    EXPECT_EQ(colors::clCaptionText.toText(), "clCaptionText");
    EXPECT_EQ(colors::clWindowText.toText(), "clWindowText");
    EXPECT_EQ(ColorValue::fromText(u"clDkGray")->toText(), "clGray");
}

TEST(ColorValueTest, HexadecimalIsBlueGreenRed)
{
    const ColorValue orange = *ColorValue::fromText(u"$000080FF");
    EXPECT_EQ(orange.red(), 0xFF);
    EXPECT_EQ(orange.green(), 0x80);
    EXPECT_EQ(orange.blue(), 0x00);
    EXPECT_EQ(orange.toText(), "$000080FF");
    EXPECT_EQ(ColorValue::fromRgb(0x11, 0x22, 0x33).toText(), "$00332211");
    // A colour with a name is written by its name.
    EXPECT_EQ(ColorValue::fromText(u"$00ffffff")->toText(), "clWhite");
}

TEST(ColorValueTest, SystemColoursKeepTheirIdentity)
{
    EXPECT_TRUE(colors::clCaptionText.isSystemColor());
    EXPECT_EQ(colors::clCaptionText.systemIndex(), 9);
    EXPECT_FALSE(colors::clWhite.isSystemColor());
    // An unnamed system colour survives as hexadecimal.
    const ColorValue unnamed = ColorValue::system(25);
    EXPECT_EQ(unnamed.toText(), "$FF000019");
    EXPECT_EQ(ColorValue::fromText(unnamed.toText()), unnamed);
}

TEST(ColorValueTest, EveryTextReadsBackToTheSameColour)
{
    for (const char *text : { "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal",
             "clGray", "clSilver", "clRed", "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite",
             "clMoneyGreen", "clSkyBlue", "clCream", "clMedGray", "clBtnFace", "clHighlight", "clWindow",
             "clInfoBk", "clNone", "clDefault", "$00666666", "$00006E00", "$12345678" }) {
        const std::optional<ColorValue> color = ColorValue::fromText(QString::fromLatin1(text));
        ASSERT_TRUE(color) << text;
        EXPECT_EQ(color->toText(), QString::fromLatin1(text));
    }
}

TEST(ColorValueTest, OtherTextsAreNoColour)
{
    for (const char *text : { "", "clNoSuchColour", "$", "$123456789", "$00GG0000", "red", "12 34" })
        EXPECT_FALSE(ColorValue::fromText(QString::fromLatin1(text))) << text;
    EXPECT_EQ(ColorValue::fromText(u"255"), colors::clRed);
    EXPECT_EQ(ColorValue::fromText(u"junk", colors::clAqua), colors::clAqua);
}

TEST(FontStyleBitsTest, BitsAreBoldItalicUnderlineStrikeOut)
{
    const FontStyleBits style(1 | 4);
    EXPECT_TRUE(style.has(FontStyleBits::Bold));
    EXPECT_FALSE(style.has(FontStyleBits::Italic));
    EXPECT_TRUE(style.has(FontStyleBits::Underline));
    EXPECT_EQ(style.with(FontStyleBits::StrikeOut, true).with(FontStyleBits::Bold, false).bits(), 12);
    EXPECT_EQ(FontStyleBits(0xFF).bits(), 15);
}

} // namespace vesk::test
