#include "settings/ColorValue.h"
#include "settings/PasswordCodec.h"
#include "settings/PortDialogModel.h"
#include "settings/RegRead.h"
#include "support/MemorySettingsStore.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(PasswordCodecTest, DotsAndUpperCaseHexOfTheUtf8BytesBothWays)
{
    EXPECT_EQ(PasswordCodec::encode("ab:Z"), "..61623A5A");
    EXPECT_EQ(PasswordCodec::encode("パス"), "..E38391E382B9");
    EXPECT_EQ(PasswordCodec::encode(""), "");
    EXPECT_EQ(PasswordCodec::decode(".."), "");
    for (const QString &password : { QString("パス word"), QString("..."), QString("=;\"") })
        EXPECT_EQ(PasswordCodec::decode(PasswordCodec::encode(password)), password);
    EXPECT_EQ(PasswordCodec::decode("..616"), "a"); // a dangling digit is ignored
    EXPECT_EQ(PasswordCodec::decode("..6a6B"), "jk");
    for (const char *text : { "..6G", "..-1", "..FF", "plain" })
        EXPECT_FALSE(PasswordCodec::decode(text)) << text;
    EXPECT_TRUE(PasswordCodec::isPlain("plain"));
    EXPECT_FALSE(PasswordCodec::isPlain(""));
    EXPECT_FALSE(PasswordCodec::isPlain("..41"));
}

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

TEST(PortDialogModelTest, StoredPortsShowAndNonNumbersBecomeTheFieldsDefault)
{
    MemorySettingsStore store;
    store.writeString("Config", "POP3_VeskMailer2", "11000");
    store.writeString("Config", "SMTP_VeskMailer1", "junk");
    PortDialogModel model;
    model.load(store);
    EXPECT_EQ(model.texts(), QStringList({ "25", "10025", "10250", "110", "10110", "11000" }));
    const char *typed[] = { "2525", "abc", " 2500 ", "", "70000", "0" };
    for (int i = 0; i < PortDialogModel::FieldCount; ++i)
        model.setText(i, typed[i]);
    ASSERT_TRUE(model.accept(store));
    EXPECT_EQ(store.saveCount(), 3);
    QStringList stored;
    for (const char *name : { "SMTP_ServerVesk", "SMTP_VeskMailer1", "SMTP_VeskMailer2", "POP3_ServerVesk",
             "POP3_VeskMailer1", "POP3_VeskMailer2" })
        stored << store.readString("Config", name);
    EXPECT_EQ(stored, QStringList({ "2525", "10025", "2500", "110", "10110", "1100" }));
    model.resetToDefaults();
    // The mailers' defaults are ports a normal user can open, as when nothing is stored.
    EXPECT_EQ(model.texts(), QStringList({ "25", "10025", "10250", "110", "10110", "1100" }));
    MemorySettingsStore empty;
    RecordingMessenger messenger;
    const Settings read = RegRead(empty, messenger);
    EXPECT_EQ((QList<int> { read.SMTP_VeskMailer1, read.SMTP_VeskMailer2, read.POP3_VeskMailer1,
                  read.POP3_VeskMailer2 }),
        (QList<int> { 10025, 10250, 10110, 1100 }));
    EXPECT_EQ(PortDialogModel::defaultsButtonText(), "初期値");
}

} // namespace vesk::test
