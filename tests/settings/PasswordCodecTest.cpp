#include "settings/PasswordCodec.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(PasswordCodecTest, DotsAndUpperCaseHexOfTheBytes)
{
    EXPECT_EQ(PasswordCodec::encode(""), "");
    EXPECT_EQ(PasswordCodec::encode("ab:Z"), "..61623A5A");
    EXPECT_EQ(PasswordCodec::encode("パス"), "..E38391E382B9");
    for (const QString &password :
        { QString("secret"), QString("パス word"), QString("..."), QString("=;\"") })
        EXPECT_EQ(PasswordCodec::decode(PasswordCodec::encode(password)), password);
}

TEST(PasswordCodecTest, DecodesLengthDivTwoMinusOnePairs)
{
    EXPECT_EQ(PasswordCodec::decode(".."), "");
    EXPECT_EQ(PasswordCodec::decode("..616"), "a"); // a dangling digit is ignored
    EXPECT_EQ(PasswordCodec::decode("..6a6B"), "jk");
}

TEST(PasswordCodecTest, UndecodableTexts)
{
    EXPECT_FALSE(PasswordCodec::decode("..6G"));
    EXPECT_FALSE(PasswordCodec::decode("..-1"));
    EXPECT_FALSE(PasswordCodec::decode("..FF")); // not UTF-8
    EXPECT_FALSE(PasswordCodec::decode("plain"));
    EXPECT_TRUE(PasswordCodec::isPlain("plain"));
    EXPECT_FALSE(PasswordCodec::isPlain(""));
    EXPECT_FALSE(PasswordCodec::isPlain("..41"));
}

} // namespace vesk::test
