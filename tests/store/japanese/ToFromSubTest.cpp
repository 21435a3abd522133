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

const QByteArray kStar = sjis(u"☆"_s);
const QByteArray kPlus = sjis(u"＋"_s);
const QByteArray kBecause = sjis(u"∵"_s);
const QByteArray kQuestion = sjis(u"？"_s);

HeaderSummary read(const QByteArray &message)
{
    return ToFromSubText(message);
}

QByteArray kindOf(const QByteArray &contentTypeLines, const QByteArray &more = {})
{
    return read("From: a@example.jp\r\n" + contentTypeLines + "\r\n" + more + "\r\nbody\r\n").kind;
}

TEST(ToFromSub, ReadsTheFiveFields)
{
    const HeaderSummary h = read("Return-Path: <a@example.jp>\r\n"
                                 "From: "
        + jisWord(u"差出人"_s)
        + " <from@example.jp>\r\n"
          "To: "
        + jisWord(u"宛先"_s)
        + " <to@example.jp>\r\n"
          "Subject: "
        + jisWord(u"件名"_s)
        + "\r\n"
          "X-Mailer: Test Mailer 1.0\r\n"
          "Content-Type: text/plain; charset=ISO-2022-JP\r\n"
          "\r\n"
          "Subject: not this\r\n");
    EXPECT_EQ(h.from, sjis(u"差出人 <from@example.jp>"_s));
    EXPECT_EQ(h.to, sjis(u"宛先 <to@example.jp>"_s));
    EXPECT_EQ(h.subject, sjis(u"件名"_s));
    EXPECT_EQ(h.mailer, QByteArray("Test Mailer 1.0"));
    EXPECT_EQ(h.kind, QByteArray());
}

TEST(ToFromSub, HeaderNamesInAnyCaseAndWithoutSpace)
{
    const HeaderSummary h = read("subject:abc\r\nfROM:  x@example.jp  \r\n\r\n");
    EXPECT_EQ(h.subject, QByteArray("abc"));
    EXPECT_EQ(h.from, QByteArray("x@example.jp"));
}

TEST(ToFromSub, OtherHeadersThatContainTheNamesDoNotCount)
{
    const HeaderSummary h = read("VeskFrom: <env@example.jp>\r\nVeskTo: <rcpt@example.jp>\r\n"
                                 "Received: from host by host\r\nResent-From: r@example.jp\r\n"
                                 "X-To: x@example.jp\r\nIn-Reply-To: <id@example.jp>\r\n\r\n");
    EXPECT_EQ(h.from, QByteArray());
    EXPECT_EQ(h.to, QByteArray());
}

TEST(ToFromSub, AddressContinuationsAreTrimmedAndJoinedWithoutAGap)
{
    const HeaderSummary h = read("To: Taro <t@example.jp>,\r\n\t Hanako <h@example.jp> \r\n"
                                 "From:\r\n   "
        + jisWord(u"山田"_s) + "\r\n   " + jisWord(u"太郎"_s) + "\r\n <y@example.jp>\r\n\r\n");
    EXPECT_EQ(h.to, QByteArray("Taro <t@example.jp>,Hanako <h@example.jp>"));
    EXPECT_EQ(h.from, sjis(u"山田太郎<y@example.jp>"_s));
}

TEST(ToFromSub, SubjectContinuationsKeepTheirLeadingWhiteSpace)
{
    // Only between two words does the white space of the fold go.
    const HeaderSummary h
        = read("Subject: " + jisWord(u"長い"_s) + "\r\n " + jisWord(u"件名"_s) + "\r\n\tend\r\n\r\n");
    EXPECT_EQ(h.subject, sjis(u"長い件名\tend"_s));
}

TEST(ToFromSub, FoldedSubjectIsLostAtAColon)
{
    const HeaderSummary h = read("Subject: Meeting\r\n  time: 10:00\r\nTo: t@example.jp\r\n\r\n");
    EXPECT_EQ(h.subject, QByteArray("Meeting"));
    EXPECT_EQ(h.to, QByteArray("t@example.jp"));
}

TEST(ToFromSub, ColonLineThatEndsAFieldIsReadAsAHeader)
{
    // The line that ends To is tried on the names after TO: in the same pass
    // and on all names in the next one.
    const HeaderSummary h = read("To: a@example.jp\r\nSubject: first\r\n more\r\nFrom: f@example.jp\r\n"
                                 "X-Mailer: M\r\nTo: b@example.jp\r\n\r\n");
    EXPECT_EQ(h.subject, QByteArray("first more"));
    EXPECT_EQ(h.from, QByteArray("f@example.jp"));
    EXPECT_EQ(h.mailer, QByteArray("M"));
    EXPECT_EQ(h.to, QByteArray("b@example.jp")); // the last one wins
}

TEST(ToFromSub, XMailerHasNoContinuation)
{
    const HeaderSummary h = read("X-Mailer: First\r\n Second\r\n\r\n");
    EXPECT_EQ(h.mailer, QByteArray("First"));
}

TEST(ToFromSub, BlankLineEndsTheHeaderEvenInsideAField)
{
    EXPECT_EQ(read("Subject: a\r\n \t \r\nTo: late@example.jp\r\n").to, QByteArray());
    EXPECT_EQ(read("To: a@example.jp\r\n\r\n b@example.jp\r\n").to, QByteArray("a@example.jp"));
    EXPECT_EQ(read("\r\nSubject: body\r\n").subject, QByteArray());
}

TEST(ToFromSub, LinesEndedByLfAloneAndNoFinalLineEnd)
{
    const HeaderSummary h = read("Subject: lf only\nTo: t@example.jp");
    EXPECT_EQ(h.subject, QByteArray("lf only"));
    EXPECT_EQ(h.to, QByteArray("t@example.jp"));
}

TEST(ToFromSub, RawJisValuesKeepTheirEscapesThroughTrimming)
{
    const HeaderSummary h = read("Subject: " + jis(u"生のJIS"_s) + " \r\n\r\n");
    EXPECT_EQ(h.subject, sjis(u"生のJIS"_s));
}

TEST(ToFromSub, OverLongWordLineShowsDots)
{
    const QByteArray longWord = "=?ISO-2022-JP?B?" + QByteArray(80, 'A') + "?=";
    EXPECT_EQ(read("To: " + longWord + " <t@example.jp>\r\n\r\n").to, QByteArray("....."));
    EXPECT_EQ(read("Subject: " + jisWord(u"前半"_s) + "\r\n " + longWord + "\r\n\r\n").subject,
        sjis(u"前半"_s) + ".....");
}

TEST(ToFromSub, KindMarks)
{
    EXPECT_EQ(kindOf("Content-Type: text/html; charset=iso-2022-jp"), kStar);
    EXPECT_EQ(kindOf("Content-Type: multipart/alternative;\r\n\tboundary=\"b1\""), kStar);
    EXPECT_EQ(kindOf("Content-Type: Multipart/Related; boundary=b"), kStar);
    EXPECT_EQ(kindOf("Content-Type: multipart/mixed; boundary=b"), kPlus);
    EXPECT_EQ(kindOf("Content-Type: multipart/signed; boundary=b"), kQuestion);
    EXPECT_EQ(kindOf("Content-Type: multipart/kiritorisen; boundary=b"), kPlus);
    EXPECT_EQ(
        kindOf("Content-Type: multipart/kiritorisen; boundary=b", "X-Mailer: PostPet Ver2.0\r\n"), kBecause);
    EXPECT_EQ(kindOf("Content-Type: multipart/mixed; boundary=b", "X-Mailer: PostPet\r\n"), kPlus);
    EXPECT_EQ(kindOf("Content-Type: text/plain; charset=iso-2022-jp"), QByteArray());
    EXPECT_EQ(kindOf("Content-Type: text/plain;\r\n boundary=multipart"), kQuestion);
    EXPECT_EQ(kindOf(""), QByteArray());
}

TEST(ToFromSub, MissingFileGivesEmptyFields)
{
    const HeaderSummary h = ToFromSub(u"/nonexistent/vesk/none.ID"_s);
    EXPECT_TRUE(
        h.to.isEmpty() && h.from.isEmpty() && h.subject.isEmpty() && h.kind.isEmpty() && h.mailer.isEmpty());
}

TEST(HeaderBlock, ReadsOnlyUpToTheBlankLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"m.ID"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // The blank line straddles the first chunk boundary (16 KiB).
    QByteArray header = "Subject: s\r\nX-Pad: " + QByteArray(16 * 1024 - 22, 'p') + "\r\n";
    header += "\r\n";
    file.write(header);
    file.write(QByteArray(4 * 1024 * 1024, 'b'));
    file.close();
    ASSERT_EQ(header.size(), 16 * 1024 + 1);
    EXPECT_EQ(readHeaderBlock(path), header);
    EXPECT_EQ(ToFromSub(path).subject, QByteArray("s"));
}

TEST(HeaderBlock, LimitAndUnreadableFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"m.ID"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100000, 'h'));
    file.close();
    EXPECT_EQ(readHeaderBlock(path, 50000).size(), 50000);
    EXPECT_EQ(readHeaderBlock(path).size(), 100000);
    EXPECT_TRUE(readHeaderBlock(dir.filePath(u"none.ID"_s)).isEmpty());
}

} // namespace
} // namespace vesk
