#include "mail/MailText.h"
#include "mail/TMD5.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(TMD5, MatchesTheReferenceVectors)
{
    EXPECT_EQ(TMD5::hexDigest(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(TMD5::hexDigest("abc"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(TMD5::hexDigest("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
    EXPECT_EQ(TMD5::hexDigest("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57EDF4A22BE3C955AC49DA2E2107B67A");
    // Lengths around the padding boundary and the 2048-byte feeding.
    EXPECT_EQ(TMD5::hexDigest(QByteArray(55, 'a')), "EF1772B6DFF9A122358552954AD0DF65");
    EXPECT_EQ(TMD5::hexDigest(QByteArray(56, 'a')), "3B0C8AC703F828B04C6C197006D17218");
    EXPECT_EQ(TMD5::hexDigest(QByteArray(64, 'a')), "014842D480B571495A4A0363793F7367");
    EXPECT_EQ(TMD5::hexDigest(QByteArray(5000, 'a')), "7AAA7DEC709FA4FA82F3746ABFD80BDB");
}

TEST(TMD5, ApopDigestOfTheProtocolExample)
{
    EXPECT_EQ(TMD5::apopDigest("<1896.697170952@dbc.mtview.ca.us>", "tanstaaf"), "c4c9334bac560ecc979e58001b3e22fb");
}

TEST(ExtractName, GivesTheBareAddress)
{
    EXPECT_EQ(ExtractName("FROM:<taro@example.jp>"), "taro@example.jp");
    EXPECT_EQ(ExtractName("from: <taro@example.jp> SIZE=100"), "taro@example.jp");
    EXPECT_EQ(ExtractName("From: \"Taro\" <taro@example.jp>"), "taro@example.jp");
    EXPECT_EQ(ExtractName("TO: hanako@example.jp "), "hanako@example.jp");
    EXPECT_EQ(ExtractName("FROM:<>"), "");
    EXPECT_EQ(ExtractName(""), "");
}

TEST(GreetingHostName, CutsAtTheAtSignAndFallsBack)
{
    EXPECT_EQ(GreetingHostName(" myhost "), "myhost");
    EXPECT_EQ(GreetingHostName("user@host"), "user");
    EXPECT_EQ(GreetingHostName("@host"), "tempolary");
    EXPECT_EQ(GreetingHostName(""), "tempolary");
}

} // namespace vesk::test
