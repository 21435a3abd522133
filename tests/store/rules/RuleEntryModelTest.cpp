#include "RuleMessages.h"

#include "store/rules/RuleEntryModel.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class RuleEntryModelTest : public ::testing::Test
{
protected:
    RuleEntryModelTest()
    {
        m_model.setLists(rules({ "Taro", "Yamada" }, { "Jiro" }, { "@club.example.org" }));
    }
    bool add(int list, const QString &text)
    {
        m_model.setEntry(list, text);
        return m_model.spbAdd1Click(list);
    }

    RecordingMessenger m_messenger;
    RuleEntryModel m_model { m_messenger };
};

TEST_F(RuleEntryModelTest, ClickSelectsTheWholeLineUnderTheCaretOfEachMemo)
{
    using Selection = RuleEntryModel::Selection;
    // memoText(1) is "Taro\nYamada".
    EXPECT_EQ(m_model.memAdrs1Click(1, 4), (Selection { 0, 4 }));
    EXPECT_EQ(m_model.memAdrs1Click(1, 5), (Selection { 5, 6 }));
    EXPECT_EQ(m_model.memAdrs1Click(1, 99), (Selection { 5, 6 }));
    EXPECT_EQ(m_model.memAdrs1Click(4, 0), std::nullopt);
}

TEST_F(RuleEntryModelTest, AddTakesATrimmedNewRuleAndRefusesEmptyOrDuplicateOnesWithTheirTexts)
{
    EXPECT_TRUE(add(1, "  Hanako "));
    EXPECT_TRUE(add(4, "x-winbiff"));
    EXPECT_TRUE(add(3, "Taro")); // lists of the other priority do not count
    EXPECT_TRUE(add(2, "a\r\nb")); // a line break makes no second rule
    EXPECT_EQ(m_model.lists(),
        rules({ "Taro", "Yamada", "Hanako" }, { "Jiro", "a  b" }, { "@club.example.org", "Taro" },
            { "x-winbiff" }));
    EXPECT_TRUE(m_model.entry(1).isEmpty());
    EXPECT_EQ(m_messenger.beeps, 0);
    for (const auto &[list, text] : std::vector<std::pair<int, QString>> {
             { 1, "" }, { 1, "   " }, { 1, "YAMADA" }, { 2, "yamada" }, { 4, "@CLUB.example.org" } })
        EXPECT_FALSE(add(list, text)) << text.toStdString();
    EXPECT_EQ(m_messenger.messages,
        QStringList({ "振り分け文字列を記入してください", "振り分け文字列を記入してください",
            "自分の設定に既にあります", "相手の設定に既にあります", "相手の設定に既にあります" }));
    EXPECT_EQ(m_messenger.beeps, 5);
    EXPECT_EQ(m_model.entry(4), "@CLUB.example.org"); // the refused text stays for correcting
}

TEST_F(RuleEntryModelTest, AddStopsAtTheHundredRulesTheStoreCanHold)
{
    for (int i = 2; i < RuleLists::MaxRules; ++i)
        ASSERT_TRUE(add(1, QStringLiteral("rule%1").arg(i)));
    EXPECT_FALSE(add(1, "one more"));
    EXPECT_EQ(m_messenger.messages, QStringList { "振り分け文字列は各欄100個までです" });
    EXPECT_EQ(m_model.lines(1).size(), RuleLists::MaxRules);
    EXPECT_TRUE(add(2, "one more"));
}

TEST_F(RuleEntryModelTest, EditAndEraseTakeTheSelectedLineOnlyOnce)
{
    m_model.setEntry(1, "typed");
    m_model.memAdrs1Click(1, 6);
    EXPECT_FALSE(m_model.spbEdit1Click(1));
    m_model.setEntry(1, "");
    EXPECT_TRUE(m_model.spbEdit1Click(1));
    EXPECT_EQ(m_model.entry(1), "Yamada");
    EXPECT_EQ(m_model.lines(1), QStringList { "Taro" });
    EXPECT_FALSE(m_model.spbEdit1Click(2));
    EXPECT_FALSE(m_model.spbErase1Click(1));
    m_model.memAdrs1Click(1, 0);
    EXPECT_TRUE(m_model.spbErase1Click(1));
    EXPECT_FALSE(m_model.spbErase1Click(1)); // not the line that moved up
    EXPECT_TRUE(m_model.lines(1).isEmpty());
    EXPECT_EQ(m_messenger.messages,
        QStringList({ "アドレスが、まだ入っています。", "修正するアドレスを指示してください",
            "削除するアドレスを指示してください", "削除するアドレスを指示してください" }));
}

} // namespace
} // namespace vesk::test
