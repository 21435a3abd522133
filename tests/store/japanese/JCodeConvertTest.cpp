#include "JapaneseTestText.h"

#include "store/japanese/Iconv.h"
#include "store/japanese/JCode.h"
#include "store/japanese/JisPairs.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::euc;
using test::fromSjis;
using test::hex;
using test::jis;
using test::sjis;
using namespace Qt::StringLiterals;

const QString kSample
    = u"メールの件名「日本語テキスト」、全角ＡＢＣと半角abc\r\n二行目：漢字かな交じり文。"_s;

TEST(JisPairs, RoundTripOverTheWholeJisSquare)
{
    for (unsigned c1 = 0x21; c1 <= 0x7E; ++c1) {
        for (unsigned c2 = 0x21; c2 <= 0x7E; ++c2) {
            const BytePair s = JisToSjisPair(c1, c2);
            ASSERT_EQ(SjisToJisPair(s.first, s.second), (BytePair { std::uint8_t(c1), std::uint8_t(c2) }))
                << std::hex << c1 << ' ' << c2;
        }
    }
}

TEST(JisPairs, AgreesWithIconvOnEveryJisX0208Character)
{
    int checked = 0;
    Iconv toSjis("CP932", "ISO-2022-JP");
    for (unsigned c1 = 0x21; c1 <= 0x74; ++c1) {
        for (unsigned c2 = 0x21; c2 <= 0x7E; ++c2) {
            QByteArray jisText("\x1b$B");
            jisText += char(c1);
            jisText += char(c2);
            jisText += "\x1b(B";
            const BytePair s = JisToSjisPair(c1, c2);
            QByteArray sjisPair;
            sjisPair += char(s.first);
            sjisPair += char(s.second);
            // Characters that ISO-2022-JP lacks are skipped.
            QByteArray reference;
            if (toSjis.convert(jisText, reference, "") != 0)
                continue;
            ASSERT_EQ(sjisPair.toHex(), reference.toHex()) << std::hex << c1 << ' ' << c2;
            ++checked;
        }
    }
    EXPECT_GT(checked, 6800);
}

// The half-width table checked against Unicode's compatibility mappings.
TEST(KanaToJis, EveryHalfWidthKanaAndMark)
{
    for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) {
        const KanaResult r = KanaToJis(kana, 0);
        EXPECT_FALSE(r.markUsed);
        const BytePair s = JisToSjisPair(r.jis.first, r.jis.second);
        QByteArray pair;
        pair += char(s.first);
        pair += char(s.second);
        const QString shown = fromSjis(pair);
        QString expected = QString(QChar(0xFF61 + kana - 0xA1)).normalized(QString::NormalizationForm_KC);
        if (kana == 0xDE)
            expected = u"゛"_s; // the spacing marks, not the combining ones
        if (kana == 0xDF)
            expected = u"゜"_s;
        EXPECT_EQ(shown, expected) << std::hex << kana;
    }
}

TEST(KanaToJis, VoicedAndSemiVoicedMarks)
{
    EXPECT_EQ(KanaToJis(0xB6, 0xDE).jis, (BytePair { 0x25, 0x2C })); // ｶﾞ ガ
    EXPECT_TRUE(KanaToJis(0xB6, 0xDE).markUsed);
    EXPECT_EQ(KanaToJis(0xC4, 0xDE).jis, (BytePair { 0x25, 0x49 })); // ﾄﾞ ド
    EXPECT_EQ(KanaToJis(0xCA, 0xDF).jis, (BytePair { 0x25, 0x51 })); // ﾊﾟ パ
    EXPECT_EQ(KanaToJis(0xCE, 0xDE).jis, (BytePair { 0x25, 0x5C })); // ﾎﾞ ボ
    EXPECT_EQ(KanaToJis(0xB3, 0xDE).jis, (BytePair { 0x25, 0x74 })); // ｳﾞ ヴ
    EXPECT_TRUE(KanaToJis(0xB3, 0xDE).markUsed);
    // Marks that do not combine stay separate.
    EXPECT_FALSE(KanaToJis(0xB1, 0xDE).markUsed);
    EXPECT_FALSE(KanaToJis(0xB6, 0xDF).markUsed);
    EXPECT_FALSE(KanaToJis(0xB3, 0xDF).markUsed);
    EXPECT_FALSE(KanaToJis(0xC5, 0xDE).markUsed); // ﾅ
}

TEST(JCodeConvert, ToShiftJisMatchesIconv)
{
    EXPECT_EQ(JCodeConvert(jis(kSample), JCodeSjis).toHex(), sjis(kSample).toHex());
    EXPECT_EQ(JCodeConvert(euc(kSample), JCodeSjis).toHex(), sjis(kSample).toHex());
}

TEST(JCodeConvert, OldJisDesignationToShiftJis)
{
    QByteArray oldJis = jis(u"漢字"_s);
    oldJis.replace("\x1b$B", "\x1b$@");
    EXPECT_EQ(JCodeConvert(oldJis, JCodeSjis), sjis(u"漢字"_s));
}

TEST(JCodeConvert, EveryEscapeIsThreeBytesAndSeveralInARowAllCount)
{
    // ESC ( B ESC $ B: both are escapes, the kanji after them converts.
    const QByteArray text = QByteArray("a\x1b(B\x1b$B") + hex("3441") + "\x1b(B\x1b(Jz";
    EXPECT_EQ(JCodeConvert(text, JCodeSjis), QByteArray("a") + sjis(u"漢"_s) + "z");
    // An unknown escape keeps the mode and still takes three bytes.
    EXPECT_EQ(JCodeConvert(QByteArray("\x1b$B") + hex("2422") + "\x1b*X" + hex("2422"), JCodeSjis),
        sjis(u"ああ"_s));
}

TEST(JCodeConvert, LineEndsAreNotSpecialInTwoByteMode)
{
    const BytePair crlf = JisToSjisPair('\r', '\n');
    EXPECT_EQ(JCodeConvert(QByteArray("\x1b$B") + hex("2422") + "\r\n", JCodeSjis),
        sjis(u"あ"_s) + char(crlf.first) + char(crlf.second));
}

TEST(JCodeConvert, CutOffTextStaysInside)
{
    EXPECT_EQ(JCodeConvert(QByteArray("\x1b$B") + hex("2422 24"), JCodeSjis), sjis(u"あ"_s) + hex("24"));
    EXPECT_EQ(JCodeConvert(QByteArray("x\x1b$B\x1b("), JCodeSjis), QByteArray("x"));
    EXPECT_EQ(JCodeConvert(euc(u"ん"_s) + hex("A4"), JCodeSjis), sjis(u"ん"_s) + hex("A4"));
}

TEST(JCodeConvert, EucHalfWidthKanaAndPlainBytes)
{
    // 0x8E drops, the kana byte stays; ASCII and 0x80 are copied.
    EXPECT_EQ(JCodeConvert(euc(u"んｱ"_s) + "a" + hex("80") + "b", JCodeSjis),
        sjis(u"んｱ"_s) + "a" + hex("80") + "b");
}

TEST(JCodeConvert, UndecidedAndPlainTextComeBackUnchanged)
{
    const QByteArray undecided = euc(u"アイウ"_s);
    EXPECT_EQ(JCodeConvert(undecided, JCodeSjis), undecided);
    EXPECT_EQ(JCodeConvert("ascii", JCodeSjis), QByteArray("ascii"));
    const QByteArray binary = QByteArray("\x1b$B") + hex("2422 05 00");
    EXPECT_EQ(JCodeConvert(binary, JCodeSjis), binary);
    EXPECT_EQ(JCodeConvert(sjis(kSample), JCodeSjis), sjis(kSample));
}

TEST(JCodeConvert, OtherTargets)
{
    const QByteArray s = sjis(u"日本"_s);
    EXPECT_EQ(JCodeConvert(s, JCodeOldJis), s); // not a target
    EXPECT_EQ(JCodeConvert(s, 7), s);
    QByteArray oldJis = jis(u"日本"_s);
    oldJis.replace("\x1b$B", "\x1b$@");
    EXPECT_EQ(JCodeConvert(oldJis, JCodeJis), oldJis);
}

TEST(JCodeConvert, ToEucMatchesIconv)
{
    EXPECT_EQ(JCodeConvert(jis(kSample), JCodeEuc).toHex(), euc(kSample).toHex());
    EXPECT_EQ(JCodeConvert(sjis(kSample), JCodeEuc).toHex(), euc(kSample).toHex());
    EXPECT_EQ(JCodeConvert(sjis(u"あｱ"_s), JCodeEuc), euc(u"あｱ"_s));
}

TEST(JCodeConvert, ToJisUsesRomanEscapeAndLeavesTwoByteModeAtLineEnds)
{
    const QByteArray expected = QByteArray("a\x1b$B") + hex("2473") + "\x1b(J\r\n\x1b$B" + hex("2424")
        + "\x1b(Jb\x1b$B" + hex("2426");
    EXPECT_EQ(JCodeConvert(sjis(u"aん\r\nいbう"_s), JCodeJis), expected);
    EXPECT_EQ(JCodeConvert(euc(u"aん\r\nいbう"_s), JCodeJis), expected);
}

TEST(JCodeConvert, HalfWidthKanaToJisBecomesFullWidth)
{
    EXPECT_EQ(JCodeConvert(sjis(u"あ"_s) + hex("B6DE CADF B3DE B1DE"), JCodeJis),
        QByteArray("\x1b$B") + hex("2422 252C 2551 2574 2522 212B"));
    EXPECT_EQ(JCodeConvert(euc(u"ん"_s) + hex("8EB6 8EDE 8ECA 8EDF 8EB3 8EDE 8EB1 8EDE"), JCodeJis),
        QByteArray("\x1b$B") + hex("2473 252C 2551 2574 2522 212B"));
    // 0x8E before a byte that is no kana is taken as an ordinary pair.
    EXPECT_EQ(JCodeConvert(euc(u"ん"_s) + hex("8E41"), JCodeJis), QByteArray("\x1b$B") + hex("2473 0E41"));
}

TEST(JCodeConvert, JisRoundTripsThroughShiftJis)
{
    const QByteArray s = sjis(kSample);
    EXPECT_EQ(JCodeConvert(JCodeConvert(s, JCodeJis), JCodeSjis), s);
    const QByteArray e = euc(kSample);
    EXPECT_EQ(JCodeConvert(JCodeConvert(e, JCodeJis), JCodeEuc), e);
}

} // namespace
} // namespace vesk
