#include "settings/PasswordCodec.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(PasswordCodecTest, DotsAndUpperCaseHexOfTheUtf8BytesBothWays)
{
    EXPECT_EQ(PasswordCodec::encode("ab:Z"), "..61623A5A");
    EXPECT_EQ(PasswordCodec::encode("パス"), "..E38391E382B9");
    EXPECT_EQ(PasswordCodec::encode(""), "");
    EXPECT_EQ(PasswordCodec::decode(".."), "");
    for (const QString &password : { QString("パス word"), QString("..."), QString("=;\"") })
        EXPECT_EQ(PasswordCodec::decode(PasswordCodec::encode(password)), password);
    EXPECT_EQ(PasswordCodec::decode("..616"), "a"); // a dangling digit is ignored
    EXPECT_EQ(PasswordCodec::decode("..6a6B"), "jk");
    for (const char *text : { "..6G", "..-1", "..FF", "plain" })
        EXPECT_FALSE(PasswordCodec::decode(text)) << text;
    EXPECT_TRUE(PasswordCodec::isPlain("plain"));
    EXPECT_FALSE(PasswordCodec::isPlain(""));
    EXPECT_FALSE(PasswordCodec::isPlain("..41"));
}

} // namespace vesk::test
