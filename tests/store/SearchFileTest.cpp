#include "StoreFixture.h"

#include "store/MessageNumber.h"

namespace vesk::test {
namespace {

class SearchFile : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        put(Box::InBox, "a1.ID", "1");
        put(Box::InBox, "a2.ID", "22");
        put(Box::InBox, "a3.ID", "333");
    }
    MessageStore::Found find(const QString &text) const { return m_store.searchFile(Box::InBox, text); }
};

TEST_F(SearchFile, NumbersCountFromOneInListingOrder)
{
    EXPECT_EQ(find("1").fileName, "a1.ID");
    EXPECT_EQ(find("1").size, 1);
    EXPECT_EQ(find("2").fileName, "a2.ID");
    EXPECT_EQ(find("3").size, 3);
    EXPECT_EQ(find("+2").fileName, "a2.ID");
    EXPECT_EQ(find("002").fileName, "a2.ID");
}

TEST_F(SearchFile, PastTheEndAndOtherNegativesGiveTheLast)
{
    for (const char *text : { "4", "2147483647", "-2", "-5", "-2147483648" }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(find(text).fileName, "a3.ID");
        EXPECT_EQ(find(text).size, 3);
    }
}

TEST_F(SearchFile, ZeroGivesNothingWithSizeZero)
{
    for (const char *text : { "0", "-0", "+0", "000" }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(find(text).size, 0);
        EXPECT_EQ(find(text).fileName, "");
    }
}

TEST_F(SearchFile, MinusOneAndNonNumbersGiveSizeMinusOne)
{
    for (const char *text : { "-1", "", "1x", "x", " 1", "1 ", "+", "-", "0x10", "$10", "1.0",
             "99999999999999", "2147483648", "-2147483649", "１" }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(find(QString::fromUtf8(text)).size, -1);
        EXPECT_EQ(find(QString::fromUtf8(text)).fileName, "");
    }
}

TEST_F(SearchFile, EmptyFolderGivesNothingExceptMinusOne)
{
    for (const char *text : { "1", "5", "0", "-3" }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(m_store.searchFile(Box::InBox2, text).size, 0);
        EXPECT_EQ(m_store.searchFile(Box::InBox2, text).fileName, "");
    }
    EXPECT_EQ(m_store.searchFile(Box::InBox2, "-1").size, -1);
    EXPECT_EQ(m_store.searchFile(Box::InBox2, "1x").size, -1);
}

TEST_F(SearchFile, NumbersFollowTheListingAtTheTimeOfTheCall)
{
    ASSERT_TRUE(m_store.remove(Box::InBox, "a1.ID"));
    EXPECT_EQ(find("1").fileName, "a2.ID");
}

TEST(MessageNumber, Bounds)
{
    EXPECT_EQ(parseMessageNumber("2147483647"), 2147483647);
    EXPECT_EQ(parseMessageNumber("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseMessageNumber("00000000000000000000001"), 1);
    EXPECT_FALSE(parseMessageNumber("2147483648").has_value());
    EXPECT_FALSE(parseMessageNumber("--1").has_value());
}

} // namespace
} // namespace vesk::test
