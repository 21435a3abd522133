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

TEST(KanaToJis, VoicedAndSemiVoicedMarksCombineOnlyWhereAKanaHasThem)
{
    const struct
    {
        unsigned kana, mark;
        BytePair jis;
        bool used;
    } rows[] = {
        { 0xB6, 0xDE, { 0x25, 0x2C }, true }, // ｶﾞ ガ
        { 0xC4, 0xDE, { 0x25, 0x49 }, true }, // ﾄﾞ ド
        { 0xCA, 0xDF, { 0x25, 0x51 }, true }, // ﾊﾟ パ
        { 0xCE, 0xDE, { 0x25, 0x5C }, true }, // ﾎﾞ ボ
        { 0xB3, 0xDE, { 0x25, 0x74 }, true }, // ｳﾞ ヴ
        { 0xB1, 0xDE, { 0x25, 0x22 }, false }, { 0xB6, 0xDF, { 0x25, 0x2B }, false },
        { 0xB3, 0xDF, { 0x25, 0x26 }, false }, { 0xC5, 0xDE, { 0x25, 0x4A }, false }, // ﾅ
    };
    for (const auto &[kana, mark, jis, used] : rows) {
        EXPECT_EQ(KanaToJis(kana, mark).jis, jis) << std::hex << kana;
        EXPECT_EQ(KanaToJis(kana, mark).markUsed, used) << std::hex << kana;
    }
}

TEST(JCodeConvert, EveryDirectionAgreesWithIconv)
{
    QByteArray oldJis = jis(u"漢字"_s);
    oldJis.replace("\x1b$B", "\x1b$@");
    const QByteArray toJis = QByteArray("a\x1b$B") + hex("2473") + "\x1b(J\r\n\x1b$B" + hex("2424")
        + "\x1b(Jb\x1b$B" + hex("2426");
    const BytePair crlf = JisToSjisPair('\r', '\n');
    const struct
    {
        const char *what;
        QByteArray text;
        int target;
        QByteArray expected;
    } rows[] = {
        { "jis to sjis", jis(kSample), JCodeSjis, sjis(kSample) },
        { "euc to sjis", euc(kSample), JCodeSjis, sjis(kSample) },
        { "old jis", oldJis, JCodeSjis, sjis(u"漢字"_s) },
        { "jis to euc", jis(kSample), JCodeEuc, euc(kSample) },
        { "sjis to euc", sjis(kSample), JCodeEuc, euc(kSample) },
        { "sjis kana to euc", sjis(u"あｱ"_s), JCodeEuc, euc(u"あｱ"_s) },
        { "jis kana to euc", "a\x1b(I6J6E6J6E\x1b(Bb", JCodeEuc, euc(u"aｶﾊｶﾅｶﾊｶﾅb"_s) },
        // To JIS: the Roman escape, and two-byte mode left at each line end.
        { "sjis to jis", sjis(u"aん\r\nいbう"_s), JCodeJis, toJis },
        { "euc to jis", euc(u"aん\r\nいbう"_s), JCodeJis, toJis },
        // Every escape is three bytes, several in a row all count, an unknown one keeps the mode.
        { "escapes", QByteArray("a\x1b(B\x1b$B") + hex("3441") + "\x1b(B\x1b(Jz", JCodeSjis,
            "a" + sjis(u"漢"_s) + "z" },
        { "unknown escape", QByteArray("\x1b$B") + hex("2422") + "\x1b*X" + hex("2422"), JCodeSjis,
            sjis(u"ああ"_s) },
        // Line ends are not special in two-byte mode.
        { "CR LF as a pair", QByteArray("\x1b$B") + hex("2422") + "\r\n", JCodeSjis,
            sjis(u"あ"_s) + char(crlf.first) + char(crlf.second) },
        // Cut-off text stays inside.
        { "cut pair", QByteArray("\x1b$B") + hex("2422 24"), JCodeSjis, sjis(u"あ"_s) + hex("24") },
        { "cut escape", "x\x1b$B\x1b(", JCodeSjis, "x" },
        { "cut euc", euc(u"ん"_s) + hex("A4"), JCodeSjis, sjis(u"ん"_s) + hex("A4") },
        // EUC half-width kana: 0x8E drops; ASCII and 0x80 are copied.
        { "euc kana", euc(u"んｱ"_s) + "a" + hex("80") + "b", JCodeSjis,
            sjis(u"んｱ"_s) + "a" + hex("80") + "b" },
        // Half-width kana to JIS become full width.
        { "sjis kana to jis", sjis(u"あ"_s) + hex("B6DE CADF B3DE B1DE"), JCodeJis,
            QByteArray("\x1b$B") + hex("2422 252C 2551 2574 2522 212B") },
        { "euc kana to jis", euc(u"ん"_s) + hex("8EB6 8EDE 8ECA 8EDF 8EB3 8EDE 8EB1 8EDE"), JCodeJis,
            QByteArray("\x1b$B") + hex("2473 252C 2551 2574 2522 212B") },
        // 0x8E before a byte that is no kana is an ordinary pair.
        { "8E pair", euc(u"ん"_s) + hex("8E41"), JCodeJis, QByteArray("\x1b$B") + hex("2473 0E41") },
        // Undecided, plain, binary and text already in the target come back unchanged.
        { "undecided", euc(u"アイウ"_s), JCodeSjis, euc(u"アイウ"_s) },
        { "ascii", "ascii", JCodeSjis, "ascii" },
        { "binary", QByteArray("\x1b$B") + hex("2422 05 00"), JCodeSjis,
            QByteArray("\x1b$B") + hex("2422 05 00") },
        { "sjis", sjis(kSample), JCodeSjis, sjis(kSample) },
        { "no target", sjis(u"日本"_s), JCodeOldJis, sjis(u"日本"_s) },
        { "bad target", sjis(u"日本"_s), 7, sjis(u"日本"_s) },
        { "old jis to jis", oldJis, JCodeJis, oldJis },
        // Round trips through JIS.
        { "sjis round trip", JCodeConvert(sjis(kSample), JCodeJis), JCodeSjis, sjis(kSample) },
        { "euc round trip", JCodeConvert(euc(kSample), JCodeJis), JCodeEuc, euc(kSample) },
    };
    for (const auto &[what, text, target, expected] : rows)
        EXPECT_EQ(JCodeConvert(text, target).toHex(' '), expected.toHex(' ')) << what;
}

} // namespace
} // namespace vesk
