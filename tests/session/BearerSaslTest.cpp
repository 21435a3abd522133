#include "session/BearerSasl.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(BearerSasl, ResponsesAsTheMechanismsSpellThem)
{
    EXPECT_EQ(bearer::response(
                  bearer::Mechanism::XOAuth2, QStringLiteral("taro@example.jp"), QStringLiteral("tok")),
        QByteArray("user=taro@example.jp\x01"
                   "auth=Bearer tok\x01\x01"));
    // RFC 7628 3.1: "," and "=" in the identity are escaped.
    EXPECT_EQ(
        bearer::response(bearer::Mechanism::OAuthBearer, QStringLiteral("a,b=c"), QStringLiteral("tok")),
        QByteArray("n,a=a=2Cb=3Dc,\x01"
                   "auth=Bearer tok\x01\x01"));
}

TEST(BearerSasl, ErrorStatusDecoding)
{
    const struct
    {
        QByteArray challenge;
        const char *status; // nullptr: not a status
        const char *scope = "";
    } rows[] = {
        { QByteArray(R"({"status":"401","schemes":"bearer","scope":"https://mail.google.com/"})").toBase64(),
            "401", "https://mail.google.com/" },
        { QByteArray(R"({"status":"invalid_token"})").toBase64(), "invalid_token" },
        { " " + QByteArray(R"({"status":400})").toBase64() + " ", "400" },
        // Controls from the server never reach the monitor as such.
        { QByteArray("{\"status\":\"4\\u000d\\u000a01\"}").toBase64(), "4??01" },
        { QByteArray(R"({"schemes":"bearer"})").toBase64(), nullptr },
        { QByteArray("[1,2]").toBase64(), nullptr },
        { QByteArray("not json").toBase64(), nullptr },
        { "@@@@", nullptr },
        { "", nullptr },
        { QByteArray(R"({"status":")" + QByteArray(5000, 'x') + R"("})").toBase64(), nullptr },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.challenge.left(60).toStdString());
        const auto status = bearer::decodeError(row.challenge);
        ASSERT_EQ(status.has_value(), row.status != nullptr);
        if (!status)
            continue;
        EXPECT_EQ(status->status, QString::fromUtf8(row.status));
        EXPECT_EQ(status->scope, QString::fromUtf8(row.scope));
    }
}

} // namespace vesk::test
