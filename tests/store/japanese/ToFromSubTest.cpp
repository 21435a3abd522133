#include "JapaneseTestText.h"

#include "store/japanese/HeaderBlock.h"
#include "store/japanese/ToFromSub.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::jis;
using test::jisWord;
using test::sjis;
using namespace Qt::StringLiterals;

TEST(ToFromSub, ReadsTheFiveFieldsOfTheHeaderOnly)
{
    const HeaderSummary h = ToFromSubText("Return-Path: <a@example.jp>\r\nFrom: " + jisWord(u"差出人"_s)
        + " <from@example.jp>\r\nTo: " + jisWord(u"宛先"_s)
        + " <to@example.jp>\r\nSubject: " + jisWord(u"件名"_s)
        + "\r\nX-Mailer: Test Mailer 1.0\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\n\r\nSubject: "
          "not this\r\n");
    EXPECT_EQ(h.from, sjis(u"差出人 <from@example.jp>"_s));
    EXPECT_EQ(h.to, sjis(u"宛先 <to@example.jp>"_s));
    EXPECT_EQ(h.subject, sjis(u"件名"_s));
    EXPECT_EQ(h.mailer, "Test Mailer 1.0");
    EXPECT_EQ(h.kind, "");
}

TEST(ToFromSub, HowEachFieldIsFoundAndJoined)
{
    const QByteArray longWord = "=?ISO-2022-JP?B?" + QByteArray(80, 'A') + "?=";
    const struct
    {
        const char *what;
        QByteArray header;
        QByteArray HeaderSummary::*field;
        QByteArray value;
    } rows[] = {
        { "any case, no space", "subject:abc\r\n\r\n", &HeaderSummary::subject, "abc" },
        { "trimmed", "fROM:  x@example.jp  \r\n\r\n", &HeaderSummary::from, "x@example.jp" },
        { "not VeskFrom", "VeskFrom: <e@example.jp>\r\nResent-From: r@example.jp\r\n\r\n",
            &HeaderSummary::from, "" },
        { "not X-To", "VeskTo: <r@example.jp>\r\nX-To: x@example.jp\r\nIn-Reply-To: <i@x>\r\n\r\n",
            &HeaderSummary::to, "" },
        // Address continuations are trimmed and joined without a gap.
        { "address continuation", "To: Taro <t@example.jp>,\r\n\t Hanako <h@example.jp> \r\n\r\n",
            &HeaderSummary::to, "Taro <t@example.jp>,Hanako <h@example.jp>" },
        { "encoded continuation",
            "From:\r\n   " + jisWord(u"山田"_s) + "\r\n   " + jisWord(u"太郎"_s)
                + "\r\n <y@example.jp>\r\n\r\n",
            &HeaderSummary::from, sjis(u"山田太郎<y@example.jp>"_s) },
        // Subject continuations keep their leading white space, except between two words.
        { "subject continuation",
            "Subject: " + jisWord(u"長い"_s) + "\r\n " + jisWord(u"件名"_s) + "\r\n\tend\r\n\r\n",
            &HeaderSummary::subject, sjis(u"長い件名\tend"_s) },
        // A continuation line with a colon ends the value and is read as a header.
        { "lost at a colon", "Subject: Meeting\r\n  time: 10:00\r\nTo: t@example.jp\r\n\r\n",
            &HeaderSummary::subject, "Meeting" },
        { "colon line", "Subject: Meeting\r\n  time: 10:00\r\nTo: t@example.jp\r\n\r\n", &HeaderSummary::to,
            "t@example.jp" },
        { "same pass", "To: a@example.jp\r\nSubject: first\r\n more\r\nFrom: f@example.jp\r\n\r\n",
            &HeaderSummary::subject, "first more" },
        { "next pass", "To: a@example.jp\r\nSubject: first\r\n more\r\nFrom: f@example.jp\r\n\r\n",
            &HeaderSummary::from, "f@example.jp" },
        { "last To wins", "To: a@example.jp\r\nX-Mailer: M\r\nTo: b@example.jp\r\n\r\n", &HeaderSummary::to,
            "b@example.jp" },
        { "no mailer continuation", "X-Mailer: First\r\n Second\r\n\r\n", &HeaderSummary::mailer, "First" },
        // A blank line ends the header, even inside a field.
        { "blank in field", "Subject: a\r\n \t \r\nTo: late@example.jp\r\n", &HeaderSummary::to, "" },
        { "continuation after blank", "To: a@example.jp\r\n\r\n b@example.jp\r\n", &HeaderSummary::to,
            "a@example.jp" },
        { "no header", "\r\nSubject: body\r\n", &HeaderSummary::subject, "" },
        { "lone LF", "Subject: lf only\nTo: t@example.jp", &HeaderSummary::to, "t@example.jp" },
        // Raw JIS keeps its escapes through trimming; an over-long word shows dots.
        { "raw JIS", "Subject: " + jis(u"生のJIS"_s) + " \r\n\r\n", &HeaderSummary::subject,
            sjis(u"生のJIS"_s) },
        { "long word", "To: " + longWord + " <t@example.jp>\r\n\r\n", &HeaderSummary::to, "....." },
        { "long continuation", "Subject: " + jisWord(u"前半"_s) + "\r\n " + longWord + "\r\n\r\n",
            &HeaderSummary::subject, sjis(u"前半"_s) + "....." },
    };
    for (const auto &[what, header, field, value] : rows)
        EXPECT_EQ(ToFromSubText(header).*field, value) << what;
}

TEST(ToFromSub, KindMarks)
{
    const QByteArray star = sjis(u"☆"_s), plus = sjis(u"＋"_s), because = sjis(u"∵"_s),
                     question = sjis(u"？"_s);
    const std::pair<QByteArray, QByteArray> rows[] = {
        { "Content-Type: text/html; charset=iso-2022-jp", star },
        { "Content-Type: multipart/alternative;\r\n\tboundary=\"b1\"", star },
        { "Content-Type: Multipart/Related; boundary=b", star },
        { "Content-Type: multipart/mixed; boundary=b", plus },
        { "Content-Type: multipart/signed; boundary=b", question },
        { "Content-Type: multipart/kiritorisen; boundary=b", plus },
        { "Content-Type: multipart/kiritorisen; boundary=b\r\nX-Mailer: PostPet Ver2.0", because },
        { "Content-Type: multipart/mixed; boundary=b\r\nX-Mailer: PostPet", plus },
        { "Content-Type: text/plain; charset=iso-2022-jp", "" },
        { "Content-Type: text/plain;\r\n boundary=multipart", question },
        { "", "" },
    };
    for (const auto &[lines, kind] : rows)
        EXPECT_EQ(ToFromSubText("From: a@example.jp\r\n" + lines + "\r\n\r\nbody\r\n").kind, kind)
            << lines.constData();
}

TEST(HeaderBlock, ReadsOnlyUpToTheBlankLineWithinTheLimit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"m.ID"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // The blank line straddles the first chunk boundary (16 KiB).
    const QByteArray header = "Subject: s\r\nX-Pad: " + QByteArray(16 * 1024 - 22, 'p') + "\r\n\r\n";
    file.write(header + QByteArray(4 * 1024 * 1024, 'b'));
    file.close();
    ASSERT_EQ(header.size(), 16 * 1024 + 1);
    EXPECT_EQ(readHeaderBlock(path), header);
    EXPECT_EQ(ToFromSub(path).subject, "s");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(100000, 'h'));
    file.close();
    EXPECT_EQ(readHeaderBlock(path, 50000).size(), 50000);
    EXPECT_EQ(readHeaderBlock(path).size(), 100000);
    EXPECT_TRUE(readHeaderBlock(dir.filePath(u"none.ID"_s)).isEmpty());
    const HeaderSummary none = ToFromSub(dir.filePath(u"none.ID"_s));
    EXPECT_TRUE(none.to.isEmpty() && none.from.isEmpty() && none.subject.isEmpty() && none.kind.isEmpty());
}

} // namespace
} // namespace vesk
