#include "store/rules/RuleEntryModel.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class RuleEntryModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RuleLists lists;
        lists.list(1) = QStringList { "Taro", "Yamada" };
        lists.list(2) = QStringList { "Jiro" };
        lists.list(3) = QStringList { "@club.example.org" };
        m_model.setLists(lists);
    }

    bool add(int list, const QString &text)
    {
        m_model.setEntry(list, text);
        return m_model.spbAdd1Click(list);
    }

    RecordingMessenger m_messenger;
    RuleEntryModel m_model { m_messenger };
};

TEST_F(RuleEntryModelTest, ClickSelectsTheWholeLineUnderTheCaret)
{
    // memoText(1) is "Taro\nYamada".
    using Selection = RuleEntryModel::Selection;
    EXPECT_EQ(m_model.memAdrs1Click(1, 0), (Selection { 0, 4 }));
    EXPECT_EQ(m_model.selectedLine(1), 0);
    EXPECT_EQ(m_model.memAdrs1Click(1, 4), (Selection { 0, 4 }));
    EXPECT_EQ(m_model.memAdrs1Click(1, 5), (Selection { 5, 6 }));
    EXPECT_EQ(m_model.selectedLine(1), 1);
    EXPECT_EQ(m_model.memAdrs1Click(1, 99), (Selection { 5, 6 }));
    EXPECT_EQ(m_model.memAdrs1Click(4, 0), std::nullopt);
    EXPECT_EQ(m_model.selectedLine(4), -1);
    // Each memo remembers its own line.
    EXPECT_EQ(m_model.selectedLine(1), 1);
}

TEST_F(RuleEntryModelTest, AddAppendsAndClearsTheEntry)
{
    EXPECT_TRUE(add(1, "  Hanako "));
    EXPECT_EQ(m_model.lines(1), QStringList({ "Taro", "Yamada", "Hanako" }));
    EXPECT_TRUE(m_model.entry(1).isEmpty());
    EXPECT_EQ(m_messenger.beeps, 0);
    EXPECT_TRUE(add(4, "x-winbiff"));
    EXPECT_EQ(m_model.lists().list(4), QStringList { "x-winbiff" });
}

TEST_F(RuleEntryModelTest, AddRefusesEmptyAndDuplicateRulesWithTheirTexts)
{
    EXPECT_FALSE(add(1, ""));
    EXPECT_FALSE(add(1, "   "));
    EXPECT_FALSE(add(1, "YAMADA"));
    EXPECT_FALSE(add(2, "yamada"));
    EXPECT_FALSE(add(4, "@CLUB.example.org"));
    EXPECT_EQ(m_messenger.messages,
        QStringList({ "振り分け文字列を記入してください", "振り分け文字列を記入してください",
            "自分の設定に既にあります", "相手の設定に既にあります", "相手の設定に既にあります" }));
    EXPECT_EQ(m_messenger.beeps, 5);
    // Nothing added, and the refused text stays for correcting.
    EXPECT_EQ(m_model.lines(1).size(), 2);
    EXPECT_EQ(m_model.lines(2).size(), 1);
    EXPECT_EQ(m_model.entry(4), "@CLUB.example.org");
    // Lists of the other priority do not count.
    EXPECT_TRUE(add(3, "Taro"));
}

TEST_F(RuleEntryModelTest, PartnerDuplicateIsNamedWhenTheRuleIsInBothLists)
{
    RuleLists lists;
    lists.list(1) = QStringList { "*" };
    lists.list(2) = QStringList { "*" };
    m_model.setLists(lists);
    EXPECT_FALSE(add(1, "*"));
    EXPECT_EQ(m_messenger.messages, QStringList { "相手の設定に既にあります" });
}

TEST_F(RuleEntryModelTest, AddStopsAtTheHundredRulesTheStoreCanHold)
{
    for (int i = 2; i < RuleLists::MaxRules; ++i)
        ASSERT_TRUE(add(1, QStringLiteral("rule%1").arg(i)));
    ASSERT_EQ(m_model.lines(1).size(), RuleLists::MaxRules);
    EXPECT_FALSE(add(1, "one more"));
    EXPECT_EQ(m_messenger.messages, QStringList { "振り分け文字列は各欄100個までです" });
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(m_model.lines(1).size(), RuleLists::MaxRules);
    EXPECT_TRUE(add(2, "one more"));
}

TEST_F(RuleEntryModelTest, EditMovesTheSelectedLineIntoTheEntry)
{
    m_model.setEntry(1, "typed");
    m_model.memAdrs1Click(1, 6);
    EXPECT_FALSE(m_model.spbEdit1Click(1));
    EXPECT_EQ(m_messenger.messages, QStringList { "アドレスが、まだ入っています。" });
    EXPECT_EQ(m_messenger.beeps, 1);

    m_model.setEntry(1, "");
    EXPECT_TRUE(m_model.spbEdit1Click(1));
    EXPECT_EQ(m_model.entry(1), "Yamada");
    EXPECT_EQ(m_model.lines(1), QStringList { "Taro" });
    EXPECT_EQ(m_model.selectedLine(1), -1);

    m_model.setEntry(2, "");
    EXPECT_FALSE(m_model.spbEdit1Click(2));
    EXPECT_EQ(m_messenger.messages.last(), "修正するアドレスを指示してください");
}

TEST_F(RuleEntryModelTest, EraseDeletesTheSelectedLineOnlyOnce)
{
    EXPECT_FALSE(m_model.spbErase1Click(1));
    EXPECT_EQ(m_messenger.messages, QStringList { "削除するアドレスを指示してください" });
    m_model.memAdrs1Click(1, 0);
    EXPECT_TRUE(m_model.spbErase1Click(1));
    EXPECT_EQ(m_model.lines(1), QStringList { "Yamada" });
    // A second press does not take the line that moved up.
    EXPECT_FALSE(m_model.spbErase1Click(1));
    EXPECT_EQ(m_model.lines(1), QStringList { "Yamada" });
}

TEST_F(RuleEntryModelTest, SavingIsRefusedWhileAnyEntryWasNotAdded)
{
    EXPECT_TRUE(m_model.checkBeforeSave());
    m_model.setEntry(4, "pending");
    EXPECT_FALSE(m_model.checkBeforeSave());
    EXPECT_EQ(m_messenger.messages, QStringList { "振分は「追加」を押さないと入力されません" });
    EXPECT_EQ(m_messenger.beeps, 1);
}

TEST_F(RuleEntryModelTest, ALineBreakInTheEntryDoesNotMakeTwoRules)
{
    EXPECT_TRUE(add(1, "a\r\nb"));
    EXPECT_EQ(m_model.lines(1).last(), "a  b");
}

} // namespace
} // namespace vesk::test
