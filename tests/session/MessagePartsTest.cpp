#include "mail/ReplyWords.h"
#include "session/IncomingMessage.h"
#include "session/OutBoxContents.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

TEST(ReplyWords, SplitsAtSingleSpacesAndReadsOnlyPlainNumbers)
{
    const ReplyWords words = ReplyWords::split("+OK 2 320 octets");
    EXPECT_EQ(
        (QByteArrayList { words.word1, words.word2, words.word3 }), (QByteArrayList { "+OK", "2", "320" }));
    EXPECT_EQ(ReplyWords::split("+OK  7").word3, "7");
    EXPECT_EQ(ReplyWords::number("12x"), 0);
    EXPECT_EQ(ReplyWords::number("99999999999"), 0);
}

TEST(IncomingMessage, TheTerminatorEndsTheTextWhereverItArrivesAndTheLimitHolds)
{
    IncomingMessage message(1000);
    EXPECT_EQ(message.add("a\r\n.."), IncomingMessage::Result::More); // a doubled dot is text
    EXPECT_EQ(message.add("c\r\n."), IncomingMessage::Result::Complete);
    EXPECT_EQ(message.content(), "a\r\n..\r\nc\r\n");
    IncomingMessage small(10);
    EXPECT_EQ(small.add("12345678"), IncomingMessage::Result::More);
    EXPECT_EQ(small.add("1"), IncomingMessage::Result::TooLarge);
    EXPECT_EQ(small.size(), 10);
}

TEST(OutBoxContents, TheEnvelopeComesOutOfTheHeaderOnly)
{
    const OutBoxContents out = OutBoxContents::parse(QStringLiteral("1.ID"),
        "Received: x\r\nveskfrom: <t@example.jp>\r\nVESKTO: <a@example.jp>\r\n\r\nVeskTo: "
        "<body@example.jp>\r\n");
    EXPECT_EQ(out.sender, "t@example.jp");
    EXPECT_EQ(out.recipients, QList<QByteArray> { "a@example.jp" });
    EXPECT_EQ(out.lines, (QList<QByteArray> { "Received: x", "", "VeskTo: <body@example.jp>" }));
}

TEST(OutBoxContents, SenderFromTheFromHeaderAndUnusableEnvelopesRefused)
{
    const struct
    {
        QByteArray content;
        QByteArray sender; // "-": not sendable
    } rows[] = {
        { "VeskTo: <a@b>\r\nFrom: Hanako <h@example.jp>\r\n\r\nx\r\n", "h@example.jp" },
        { "VeskTo: <a@b>\r\n\r\nx\r\n", "" }, // an empty reverse path
        { "From: a@b\r\n\r\nx\r\n", "-" },
        { "VeskTo: < >\r\n\r\nx\r\n", "-" },
        { "", "-" },
        // An address that could carry a command.
        { "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp\nRCPT TO:evil>\r\n\r\nx\r\n", "-" },
    };
    for (const auto &[content, sender] : rows) {
        const OutBoxContents out = OutBoxContents::parse(QStringLiteral("1.ID"), content);
        if (sender == "-")
            EXPECT_EQ(out.fileName, OutBoxContents::NonVeskContents) << content.constData();
        else
            EXPECT_EQ(out.sender, sender) << content.constData();
    }
}

} // namespace
} // namespace vesk::test
