#include "JapaneseTestText.h"

#include "store/japanese/Iconv.h"
#include "store/japanese/SjisDecoder.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::hex;
using test::sjis;
using namespace Qt::StringLiterals;

TEST(SjisDecoder, AsciiJapaneseAndCp932Extensions)
{
    SjisDecoder decoder;
    EXPECT_EQ(decoder.toUnicode("plain \\ ~ text"), u"plain \\ ~ text"_s);
    EXPECT_EQ(decoder.toUnicode(sjis(u"日本語ｶﾀｶﾅ"_s)), u"日本語ｶﾀｶﾅ"_s);
    EXPECT_EQ(decoder.toUnicode(hex("8740 8782 FA40 ED40")), u"①№ⅰ纊"_s);
    // Microsoft's table: the wave dash and the minus sign of Japanese mail.
    EXPECT_EQ(decoder.toUnicode(hex("8160 817C")), u"\uFF5E\uFF0D"_s);
    EXPECT_EQ(decoder.toUnicode(""), QString());
}

TEST(SjisDecoder, BytesThatDoNotFitShowAsReplacementAndTheRestStays)
{
    SjisDecoder decoder;
    EXPECT_EQ(decoder.toUnicode(hex("80") + sjis(u"あ"_s) + hex("A0 FD FE FF") + "z"),
        u"\uFFFDあ\uFFFD\uFFFD\uFFFD\uFFFDz"_s);
    // A lead byte cut off at the end.
    EXPECT_EQ(decoder.toUnicode(sjis(u"あ"_s) + hex("82")), u"あ\uFFFD"_s);
    // A lead byte with an impossible trail byte: the trail byte survives.
    EXPECT_EQ(decoder.toUnicode(hex("8220") + "x"), u"\uFFFD x"_s);
    // The decoder is reused cell after cell.
    EXPECT_EQ(decoder.toUnicode(sjis(u"次"_s)), u"次"_s);
}

TEST(SjisDecoder, LongTextGrowsTheBuffer)
{
    SjisDecoder decoder;
    const QString text = QString(u"あa"_s).repeated(50000);
    EXPECT_EQ(decoder.toUnicode(sjis(text)), text);
}

TEST(Iconv, UnknownCodeNeverFails)
{
    Iconv iconv("NO-SUCH-CODE", "CP932");
    EXPECT_FALSE(iconv.isValid());
    QByteArray out;
    EXPECT_EQ(iconv.convert("ab", out, "?"), 2);
    EXPECT_EQ(out, QByteArray("??"));
}

TEST(Iconv, StatefulTargetEndsInItsInitialState)
{
    Iconv iconv("ISO-2022-JP", "UTF-8");
    ASSERT_TRUE(iconv.isValid());
    QByteArray out;
    EXPECT_EQ(iconv.convert(u"あ"_s.toUtf8(), out, "?"), 0);
    EXPECT_EQ(out, QByteArray("\x1b$B") + hex("2422") + "\x1b(B");
}

TEST(Iconv, ConverterThatWritesWithoutReadingStillEnds)
{
    // glibc's Shift_JISX0213 holds back a character to combine it, and once
    // out of room it can go on writing without reading. 0x8686 is two
    // characters, more than the room made ready at the start.
    Iconv iconv("WCHAR_T", "SHIFT_JISX0213");
    ASSERT_TRUE(iconv.isValid());
    for (qsizetype size = 1; size <= 64; ++size) {
        QByteArray out;
        iconv.convert(QByteArray(size, '\x86'), out, QByteArray(sizeof(wchar_t), '?'));
        EXPECT_LE(out.size(), 2 * size * qsizetype(sizeof(wchar_t))) << size;
    }
}

} // namespace
} // namespace vesk
