#include "RulesFixture.h"

#include "store/rules/Distributor.h"

namespace vesk::test {
namespace {

RuleLists rules(QStringList list1, QStringList list2 = {}, QStringList list3 = {}, QStringList list4 = {})
{
    RuleLists lists;
    lists.list(1) = std::move(list1);
    lists.list(2) = std::move(list2);
    lists.list(3) = std::move(list3);
    lists.list(4) = std::move(list4);
    return lists;
}

class DistributorTest : public RulesFixture
{
protected:
    // Receives the message, distributes it and checks that it lies in exactly
    // the box the answer names.
    Box distribute(const RuleLists &lists, const QByteArray &content)
    {
        Distributor distributor(m_store, lists);
        const QString name = receive(content);
        const Box box = distributor.DevideGo(name);
        EXPECT_EQ(distributor.lastFileName(), name);
        for (Box each : { Box::InBox, Box::InBox1, Box::InBox2 })
            EXPECT_EQ(exists(each, name), each == box) << qPrintable(boxFolderName(box));
        if (exists(box, name)) {
            EXPECT_EQ(m_store.read(box, name), content);
        }
        return box;
    }
};

TEST_F(DistributorTest, OwnNameRuleMatchesTheDisplayNameInAnyCaseButNeverABareAddress)
{
    const RuleLists lists = rules({ "taro" });
    EXPECT_EQ(distribute(lists, message("TARO Yamada <work@example.jp>", "a@example.org")), Box::InBox1);
    EXPECT_EQ(distribute(lists, message("\"Taro\" <t@example.jp>", "a@example.org")), Box::InBox1);
    EXPECT_EQ(distribute(lists, message("work@example.jp (Taro)", "a@example.org")), Box::InBox1);
    // The address holds the rule, but a bare address has no own name.
    EXPECT_EQ(distribute(lists, message("taro@example.jp", "a@example.org")), Box::InBox);
    EXPECT_EQ(distribute(lists, message("Hanako <taro@example.jp>", "a@example.org")), Box::InBox);
}

TEST_F(DistributorTest, JapaneseOwnNameFromAnEncodedWord)
{
    const QByteArray to = encodedWord(QStringLiteral("山田 太郎")) + " <taro@example.jp>";
    EXPECT_EQ(distribute(rules({}, { QStringLiteral("太郎") }), message(to, "a@example.org")), Box::InBox2);
    EXPECT_EQ(distribute(rules({ QStringLiteral("花子") }), message(to, "a@example.org")), Box::InBox);
}

TEST_F(DistributorTest, JapaneseRulesMatchUtf8Headers)
{
    // As phones and web mail write them: UTF-8 words, or raw UTF-8.
    const RuleLists lists = rules({ QStringLiteral("花子") }, {}, {}, { QStringLiteral("山田") });
    const QByteArray other = "b@example.org";
    EXPECT_EQ(
        distribute(lists, message(other, "=?utf-8?b?5bGx55Sw5aSq6YOO?= <taro@example.jp>")), Box::InBox2);
    EXPECT_EQ(
        distribute(lists, message(other, QStringLiteral("山田 <y@example.jp>").toUtf8())), Box::InBox2);
    EXPECT_EQ(
        distribute(lists, message("=?UTF-8?Q?=E8=8A=B1=E5=AD=90?= <h@example.jp>", other)), Box::InBox1);
}

TEST_F(DistributorTest, RuleBytesAcrossTwoCharactersOfTheNameDoNotMatch)
{
    // "亜唖" is 88 9F 88 A0 in Shift_JIS; "汕" is 9F 88.
    const QByteArray to = encodedWord(QStringLiteral("亜唖")) + " <a@example.jp>";
    EXPECT_EQ(distribute(rules({ QStringLiteral("汕") }), message(to, "x@example.org")), Box::InBox);
    const QByteArray to2 = encodedWord(QStringLiteral("亜汕")) + " <a@example.jp>";
    EXPECT_EQ(distribute(rules({ QStringLiteral("汕") }), message(to2, "x@example.org")), Box::InBox1);
}

TEST_F(DistributorTest, SenderRuleMatchesAddressOrName)
{
    const RuleLists lists = rules({}, {}, { "@club.example.org" });
    EXPECT_EQ(distribute(lists, message("Taro <t@example.jp>", "news@CLUB.example.org")), Box::InBox1);
    EXPECT_EQ(
        distribute(lists, message("Taro <t@example.jp>", "Club <news@club.example.org>")), Box::InBox1);
    EXPECT_EQ(distribute(lists, message("Taro <t@example.jp>", "news@example.org")), Box::InBox);
    const RuleLists byName = rules({}, {}, {}, { "hanako" });
    EXPECT_EQ(
        distribute(byName, message("Taro <t@example.jp>", "Hanako Sato <hs@example.org>")), Box::InBox2);
}

TEST_F(DistributorTest, MailerRuleMatchesTheXMailerInAnyCase)
{
    const RuleLists lists = rules({}, { "X-winbiff" });
    EXPECT_EQ(distribute(lists, message("Taro <t@example.jp>", "a@example.org", "WINBIFF [Version 2.51]")),
        Box::InBox2);
    EXPECT_EQ(
        distribute(lists, message("Taro <t@example.jp>", "a@example.org", "Becky! ver. 2")), Box::InBox);
    EXPECT_EQ(distribute(lists, message("Taro <t@example.jp>", "a@example.org")), Box::InBox);
}

TEST_F(DistributorTest, FirstPriorityBeatsSecondAndMailerOneBeatsMailerTwo)
{
    const QByteArray both = message("Taro <t@example.jp>", "boss@example.org");
    EXPECT_EQ(distribute(rules({}, { "taro" }, { "boss" }), both), Box::InBox2);
    EXPECT_EQ(distribute(rules({ "taro" }, { "taro" }), both), Box::InBox1);
    EXPECT_EQ(distribute(rules({}, {}, { "boss" }, { "boss" }), both), Box::InBox1);
}

TEST_F(DistributorTest, CatchAllTakesOnlyUnmatchedMailAndTheLastOneMetWins)
{
    const QByteArray plain = message("Taro <t@example.jp>", "a@example.org");
    EXPECT_EQ(distribute(rules({ "*" }), plain), Box::InBox1);
    EXPECT_EQ(distribute(rules({ "*" }, { "*" }), plain), Box::InBox2);
    EXPECT_EQ(distribute(rules({}, { "*" }, { "*" }), plain), Box::InBox1);
    // A matching rule anywhere beats every catch-all.
    EXPECT_EQ(distribute(rules({ "*" }, {}, {}, { "a@example" }), plain), Box::InBox2);
    EXPECT_EQ(distribute(rules({ "nobody", " * " }), plain), Box::InBox1);
}

TEST_F(DistributorTest, NoRulesLeaveTheMessageInInBox)
{
    const QByteArray plain = message("Taro <t@example.jp>", "a@example.org");
    EXPECT_EQ(distribute(RuleLists(), plain), Box::InBox);
    EXPECT_EQ(distribute(rules({ "hanako" }, { "" }), plain), Box::InBox);
}

TEST_F(DistributorTest, FailedCopyLeavesTheMessageInInBoxAndTriesNoFurtherList)
{
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox2)).removeRecursively());
    Distributor distributor(m_store, rules({ "*" }, { "taro" }, { "a@example" }));
    const QString name = receive(message("Taro <t@example.jp>", "a@example.org"));
    EXPECT_EQ(distributor.DevideGo(name), Box::InBox);
    EXPECT_EQ(listing(Box::InBox), QStringList { name });
    EXPECT_TRUE(listing(Box::InBox1).isEmpty());

    // A pending catch-all whose box is gone leaves it too.
    Distributor catchAll(m_store, rules({}, { "*" }));
    EXPECT_EQ(catchAll.DevideGo(name), Box::InBox);
    EXPECT_EQ(listing(Box::InBox), QStringList { name });
}

TEST_F(DistributorTest, MessageWithoutHeadersMovesOnlyByCatchAll)
{
    Distributor distributor(m_store, rules({ "taro" }, { "*" }));
    const QString name = receive("\r\n\r\nTo: Taro <t@example.jp>\r\n");
    EXPECT_EQ(distributor.DevideGo(name), Box::InBox2);
    EXPECT_EQ(distributor.DevideGo("missing0.ID"), Box::InBox);
    EXPECT_EQ(distributor.DevideGo("../InBox1/x.ID"), Box::InBox);
}

TEST_F(DistributorTest, SameNameInTheMailersBoxIsNeverReplaced)
{
    const QByteArray mine = message("Taro <t@example.jp>", "a@example.org");
    const QString name = receive(mine);
    put(Box::InBox1, name, "older message\r\n");
    Distributor distributor(m_store, rules({ "taro" }));
    EXPECT_EQ(distributor.DevideGo(name), Box::InBox1);
    EXPECT_NE(distributor.lastFileName(), name);
    EXPECT_TRUE(distributor.lastFileName().startsWith(name.left(17)));
    EXPECT_EQ(m_store.read(Box::InBox1, name), "older message\r\n");
    EXPECT_EQ(m_store.read(Box::InBox1, distributor.lastFileName()), mine);
    EXPECT_TRUE(listing(Box::InBox).isEmpty());
}

TEST_F(DistributorTest, MoveCutShortBeforeTheDeleteIsFinished)
{
    // A crash after the copy left the message in both boxes.
    const QByteArray mine = message("Taro <t@example.jp>", "a@example.org");
    const QString name = receive(mine);
    put(Box::InBox1, name, mine);
    Distributor distributor(m_store, rules({ "taro" }));
    EXPECT_EQ(distributor.DevideGo(name), Box::InBox1);
    EXPECT_EQ(distributor.lastFileName(), name);
    EXPECT_EQ(listing(Box::InBox1), QStringList { name });
    EXPECT_TRUE(allFiles(Box::InBox).isEmpty());
}

} // namespace
} // namespace vesk::test
