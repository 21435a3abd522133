#include "JapaneseTestText.h"

#include "store/japanese/HeaderValue.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::euc;
using test::hex;
using test::jis;
using test::jisWord;
using test::sjis;
using namespace Qt::StringLiterals;

// "=?" + charset part + "?B?" + `length` - 14 payload characters + "?=".
QByteArray wordOfLength(const char *charset, int between)
{
    const QByteArray head = QByteArray(charset) + "?B?";
    return "=?" + head + QByteArray(between - head.size(), 'A') + "?=";
}

TEST(LenCheck, OverLongIsoWordHidesTheWholeLine)
{
    const QByteArray ok = "Subject: " + wordOfLength("ISO-2022-JP", 86);
    EXPECT_EQ(LenCheck(ok), ok);
    EXPECT_EQ(LenCheck("Subject: " + wordOfLength("ISO-2022-JP", 87)), QByteArray("....."));
    EXPECT_EQ(LenCheck(wordOfLength("iso-2022-jp", 87) + " tail"), QByteArray("....."));
}

TEST(LenCheck, OtherLinesStay)
{
    const QByteArray utf8 = wordOfLength("UTF-8", 120);
    EXPECT_EQ(LenCheck(utf8), utf8);
    const QByteArray open = "=?ISO-2022-JP?B?" + QByteArray(200, 'A');
    EXPECT_EQ(LenCheck(open), open);
    EXPECT_EQ(LenCheck(""), QByteArray());
    // The first "?=" before the first "=?" is no long word.
    const QByteArray reversed = "?= " + QByteArray(100, 'x') + " =?ISO-2022-JP?B?";
    EXPECT_EQ(LenCheck(reversed), reversed);
}

TEST(ConvS, DecodesToShiftJis)
{
    EXPECT_EQ(ConvS(jisWord(u"山田太郎"_s) + " <taro@example.jp>"), sjis(u"山田太郎 <taro@example.jp>"_s));
    EXPECT_EQ(ConvS("Re: " + jisWord(u"会議"_s) + " " + jisWord(u"資料"_s)), sjis(u"Re: 会議資料"_s));
    // Raw 8-bit values: EUC-JP converted, Shift_JIS kept.
    EXPECT_EQ(ConvS(euc(u"こんにちは"_s)), sjis(u"こんにちは"_s));
    EXPECT_EQ(ConvS(sjis(u"こんにちは"_s)), sjis(u"こんにちは"_s));
    // Raw ISO-2022-JP in a header.
    EXPECT_EQ(ConvS(jis(u"件名です"_s)), sjis(u"件名です"_s));
}

TEST(ConvS, DoubleQuotesGoOnlyWithAnAngleAddress)
{
    EXPECT_EQ(ConvS("\"" + jisWord(u"山田"_s) + "\" <y@example.jp>"), sjis(u"山田 <y@example.jp>"_s));
    EXPECT_EQ(ConvS("\"quoted\" text"), QByteArray("\"quoted\" text"));
}

TEST(ConvS, LeftoverEscapesAreRemoved)
{
    // Plain text with stray escapes decides nothing; the escapes still go.
    EXPECT_EQ(ConvS("abc\x1b(Bdef\x1b(J"), QByteArray("abcdef"));
    EXPECT_EQ(ConvS("abc\x1b("), QByteArray("abc"));
    // A word that ends in two-byte mode is closed by the Roman escape.
    QByteArray open = jis(u"未完"_s);
    open.chop(3);
    EXPECT_EQ(ConvS("=?ISO-2022-JP?B?" + open.toBase64() + "?=x"), sjis(u"未完x"_s));
}

TEST(ExtractTo, DisplayNameBeforeAngleAddress)
{
    EXPECT_EQ(ExtractTo(sjis(u"山田 太郎 <taro@example.jp>"_s)), sjis(u"山田 太郎"_s));
    EXPECT_EQ(ExtractTo("\"Taro Yamada\" <taro@example.jp>"), QByteArray("Taro Yamada"));
}

TEST(ExtractTo, NameInParenthesesAfterBareAddress)
{
    EXPECT_EQ(ExtractTo("taro@example.jp (Taro)"), QByteArray("Taro"));
    EXPECT_EQ(ExtractTo("taro@example.jp )x("), QByteArray());
}

TEST(ExtractTo, BareAddressGivesNothing)
{
    EXPECT_EQ(ExtractTo("taro@example.jp"), QByteArray());
    EXPECT_EQ(ExtractTo(""), QByteArray());
    EXPECT_EQ(ExtractTo("<taro@example.jp>"), QByteArray());
}

TEST(ExtractTo, SeveralEntriesKeepTheirCommas)
{
    EXPECT_EQ(ExtractTo("Taro <t@example.jp>, Hanako <h@example.jp>"), QByteArray("Taro , Hanako"));
    EXPECT_EQ(ExtractTo("t@example.jp, Hanako <h@example.jp>"), QByteArray("Hanako"));
    EXPECT_EQ(ExtractTo("t@example.jp (Taro), h@example.jp (Hanako)"), QByteArray("TaroHanako"));
    // A quoted first name wins alone.
    EXPECT_EQ(ExtractTo("\"Taro\" <t@example.jp>, \"Hanako\" <h@example.jp>"), QByteArray("Taro"));
}

TEST(ExtractTo, CloseBeforeOpenDeletesNothing)
{
    EXPECT_EQ(ExtractTo("a > b <c"), QByteArray("a > b <c"));
}

} // namespace
} // namespace vesk
