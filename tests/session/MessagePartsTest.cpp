#include "mail/ReplyWords.h"
#include "session/IncomingMessage.h"
#include "session/OutBoxContents.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(ReplyWords, SplitsAtSingleSpaces)
{
    const ReplyWords words = ReplyWords::split("+OK 2 320 octets");
    EXPECT_EQ(words.word1, "+OK");
    EXPECT_EQ(words.word2, "2");
    EXPECT_EQ(words.word3, "320");
    const ReplyWords doubled = ReplyWords::split("+OK  7");
    EXPECT_EQ(doubled.word2, "");
    EXPECT_EQ(doubled.word3, "7");
    EXPECT_EQ(ReplyWords::split("").word1, "");
    EXPECT_EQ(ReplyWords::number("12x"), 0);
    EXPECT_EQ(ReplyWords::number("99999999999"), 0);
}

TEST(IncomingMessage, TheTerminatorEndsTheTextWhereverItArrives)
{
    IncomingMessage message(1000);
    EXPECT_EQ(message.add("a\r\nb"), IncomingMessage::Result::More);
    EXPECT_EQ(message.add("c\r\n."), IncomingMessage::Result::Complete);
    EXPECT_EQ(message.content(), "a\r\nb\r\nc\r\n");

    IncomingMessage alone(1000);
    EXPECT_EQ(alone.add("x"), IncomingMessage::Result::More);
    EXPECT_EQ(alone.add("."), IncomingMessage::Result::Complete);
    EXPECT_EQ(alone.content(), "x\r\n");

    // A doubled dot is text, kept as it travelled.
    IncomingMessage stuffed(1000);
    EXPECT_EQ(stuffed.add("a\r\n.."), IncomingMessage::Result::More);
    EXPECT_EQ(stuffed.content(), "a\r\n..\r\n");
}

TEST(IncomingMessage, RefusesToGrowPastItsLimit)
{
    IncomingMessage message(10);
    EXPECT_EQ(message.add("12345678"), IncomingMessage::Result::More);
    EXPECT_EQ(message.add("1"), IncomingMessage::Result::TooLarge);
    EXPECT_EQ(message.size(), 10);
}

TEST(OutBoxContents, TakesTheEnvelopeOutOfTheHeaderOnly)
{
    const OutBoxContents out = OutBoxContents::parse(QStringLiteral("1.ID"),
        "Received: x\r\nveskfrom: <t@example.jp>\r\nVESKTO: <a@example.jp>\r\n\r\nVeskTo: "
        "<body@example.jp>\r\n");
    EXPECT_EQ(out.fileName, QStringLiteral("1.ID"));
    EXPECT_EQ(out.sender, "t@example.jp");
    EXPECT_EQ(out.recipients, QList<QByteArray> { "a@example.jp" });
    EXPECT_EQ(out.lines, (QList<QByteArray> { "Received: x", "", "VeskTo: <body@example.jp>" }));
}

TEST(OutBoxContents, WithoutUsableRecipientsItIsNotVeskContents)
{
    EXPECT_EQ(OutBoxContents::parse(QStringLiteral("1.ID"), "From: a@b\r\n\r\nx\r\n").fileName,
        OutBoxContents::NonVeskContents);
    EXPECT_EQ(OutBoxContents::parse(QStringLiteral("1.ID"), "VeskTo: < >\r\n\r\nx\r\n").fileName,
        OutBoxContents::NonVeskContents);
    EXPECT_EQ(OutBoxContents::parse(QStringLiteral("1.ID"), "").fileName, OutBoxContents::NonVeskContents);
    // No sender at all still sends (with an empty reverse path).
    const OutBoxContents bounce = OutBoxContents::parse(QStringLiteral("1.ID"), "VeskTo: <a@b>\r\n\r\nx\r\n");
    EXPECT_EQ(bounce.fileName, QStringLiteral("1.ID"));
    EXPECT_EQ(bounce.sender, "");
}

} // namespace vesk::test
