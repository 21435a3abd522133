#include "session/OutBoxContents.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

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
