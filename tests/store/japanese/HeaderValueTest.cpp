#include "JapaneseTestText.h"

#include "store/japanese/HeaderValue.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::euc;
using test::jis;
using test::jisWord;
using test::sjis;
using namespace Qt::StringLiterals;

// "=?" + charset part + "?B?" + payload, `between` characters between "=?" and "?=".
QByteArray wordOfLength(const char *charset, int between)
{
    const QByteArray head = QByteArray(charset) + "?B?";
    return "=?" + head + QByteArray(between - head.size(), 'A') + "?=";
}

TEST(LenCheck, AnOverLongIsoWordHidesTheWholeLineAndOtherLinesStay)
{
    EXPECT_EQ(LenCheck("Subject: " + wordOfLength("ISO-2022-JP", 87)), ".....");
    EXPECT_EQ(LenCheck(wordOfLength("iso-2022-jp", 87) + " tail"), ".....");
    const QByteArray open = "=?ISO-2022-JP?B?" + QByteArray(200, 'A');
    // The first "?=" before the first "=?" is no long word.
    const QByteArray reversed = "?= " + QByteArray(100, 'x') + " =?ISO-2022-JP?B?";
    for (const QByteArray &line : { "Subject: " + wordOfLength("ISO-2022-JP", 86), wordOfLength("UTF-8", 120),
             open, QByteArray(), reversed })
        EXPECT_EQ(LenCheck(line), line);
}

TEST(ConvS, DecodesToShiftJis)
{
    QByteArray open = jis(u"未完"_s);
    open.chop(3); // a word that ends in two-byte mode is closed by the Roman escape
    const std::pair<QByteArray, QByteArray> rows[] = {
        { jisWord(u"山田太郎"_s) + " <taro@example.jp>", sjis(u"山田太郎 <taro@example.jp>"_s) },
        { "Re: " + jisWord(u"会議"_s) + " " + jisWord(u"資料"_s), sjis(u"Re: 会議資料"_s) },
        // Raw 8-bit values: EUC-JP converted, Shift_JIS kept; raw ISO-2022-JP too.
        { euc(u"こんにちは"_s), sjis(u"こんにちは"_s) },
        { sjis(u"こんにちは"_s), sjis(u"こんにちは"_s) },
        { jis(u"件名です"_s), sjis(u"件名です"_s) },
        // Double quotes go only with an angle address.
        { "\"" + jisWord(u"山田"_s) + "\" <y@example.jp>", sjis(u"山田 <y@example.jp>"_s) },
        { "\"quoted\" text", "\"quoted\" text" },
        // Leftover escapes are removed.
        { "abc\x1b(Bdef\x1b(J", "abcdef" },
        { "abc\x1b(", "abc" },
        { "=?ISO-2022-JP?B?" + open.toBase64() + "?=x", sjis(u"未完x"_s) },
    };
    for (const auto &[value, shown] : rows)
        EXPECT_EQ(ConvS(value), shown) << value.constData();
}

TEST(ExtractTo, TheDisplayNamesOfAnAddressList)
{
    const std::pair<QByteArray, QByteArray> rows[] = {
        { sjis(u"山田 太郎 <taro@example.jp>"_s), sjis(u"山田 太郎"_s) },
        { "\"Taro Yamada\" <taro@example.jp>", "Taro Yamada" },
        { "taro@example.jp (Taro)", "Taro" },
        { "taro@example.jp )x(", "" },
        { "taro@example.jp", "" },
        { "", "" },
        { "<taro@example.jp>", "" },
        // Several entries keep their commas; a quoted first name wins alone.
        { "Taro <t@example.jp>, Hanako <h@example.jp>", "Taro , Hanako" },
        { "t@example.jp, Hanako <h@example.jp>", "Hanako" },
        { "t@example.jp (Taro), h@example.jp (Hanako)", "TaroHanako" },
        { "\"Taro\" <t@example.jp>, \"Hanako\" <h@example.jp>", "Taro" },
        // A close before an open deletes nothing.
        { "a > b <c", "a > b <c" },
    };
    for (const auto &[value, names] : rows)
        EXPECT_EQ(ExtractTo(value), names) << value.constData();
}

} // namespace
} // namespace vesk
