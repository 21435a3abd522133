#include "mail/MailText.h"
#include "mail/TMD5.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(TMD5, HexDigestIsUpperCase)
{
    EXPECT_EQ(TMD5::hexDigest(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(TMD5::hexDigest("abc"), "900150983CD24FB0D6963F7D28E17F72");
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
