#include "RuleMessages.h"

#include "store/rules/Distributor.h"
#include "store/rules/Redistributor.h"
#include "support/CoreFixture.h"

namespace vesk::test {
namespace {

class DistributorTest : public CoreFixture
{
protected:
    QString receive(const QByteArray &content)
    {
        const QString name
            = m_store.newFileName(m_store.timeStampGet(), { Box::InBox, Box::InBox1, Box::InBox2 });
        EXPECT_TRUE(m_store.saveContent(Box::InBox, name, content));
        return name;
    }
};

TEST_F(DistributorTest, RulesSendEachMessageToExactlyOneBoxWhole)
{
    const QByteArray taro = jisWord(QStringLiteral("山田 太郎")) + " <taro@example.jp>";
    // "亜唖" is 88 9F 88 A0 in Shift_JIS; "汕" (9F 88) lies across its two characters.
    const QByteArray across = jisWord(QStringLiteral("亜唖")) + " <a@example.jp>";
    const QByteArray plain = "Taro <t@example.jp>";
    const struct
    {
        RuleLists lists;
        QByteArray to, from, mailer;
        Box box;
    } rows[] = {
        // Own names: the display name in any case, never a bare address.
        { rules({ "taro" }), "TARO Yamada <work@example.jp>", "a@example.org", {}, Box::InBox1 },
        { rules({ "taro" }), "\"Taro\" <t@example.jp>", "a@example.org", {}, Box::InBox1 },
        { rules({ "taro" }), "work@example.jp (Taro)", "a@example.org", {}, Box::InBox1 },
        { rules({ "taro" }), "taro@example.jp", "a@example.org", {}, Box::InBox },
        { rules({ "taro" }), "Hanako <taro@example.jp>", "a@example.org", {}, Box::InBox },
        { rules({}, { "太郎" }), taro, "a@example.org", {}, Box::InBox2 },
        { rules({ "花子" }), taro, "a@example.org", {}, Box::InBox },
        { rules({ "汕" }), across, "a@example.org", {}, Box::InBox },
        // As phones and web mail write them: UTF-8 words, or raw UTF-8.
        { rules({ "花子" }), "=?UTF-8?Q?=E8=8A=B1=E5=AD=90?= <h@example.jp>", "b@example.org", {},
            Box::InBox1 },
        { rules({}, {}, {}, { "山田" }), plain, "=?utf-8?b?5bGx55Sw5aSq6YOO?= <taro@example.jp>", {},
            Box::InBox2 },
        { rules({}, {}, {}, { "山田" }), plain, QStringLiteral("山田 <y@example.jp>").toUtf8(), {},
            Box::InBox2 },
        // Senders by address or name, mailers by the X-Mailer.
        { rules({}, {}, { "@club.example.org" }), plain, "news@CLUB.example.org", {}, Box::InBox1 },
        { rules({}, {}, { "@club.example.org" }), plain, "news@example.org", {}, Box::InBox },
        { rules({}, {}, {}, { "hanako" }), plain, "Hanako Sato <hs@example.org>", {}, Box::InBox2 },
        { rules({}, { "X-winbiff" }), plain, "a@example.org", "WINBIFF [Version 2.51]", Box::InBox2 },
        { rules({}, { "X-winbiff" }), plain, "a@example.org", "Becky! ver. 2", Box::InBox },
        // Own names before senders, mailer 1 before mailer 2.
        { rules({}, { "taro" }, { "boss" }), plain, "boss@example.org", {}, Box::InBox2 },
        { rules({ "taro" }, { "taro" }), plain, "boss@example.org", {}, Box::InBox1 },
        { rules({}, {}, { "boss" }, { "boss" }), plain, "boss@example.org", {}, Box::InBox1 },
        // A catch-all takes only unmatched mail; the last one met wins.
        { rules({ "*" }), plain, "a@example.org", {}, Box::InBox1 },
        { rules({ "*" }, { "*" }), plain, "a@example.org", {}, Box::InBox2 },
        { rules({}, { "*" }, { "*" }), plain, "a@example.org", {}, Box::InBox1 },
        { rules({ "*" }, {}, {}, { "a@example" }), plain, "a@example.org", {}, Box::InBox2 },
        { rules({ "nobody", " * " }), plain, "a@example.org", {}, Box::InBox1 },
        { RuleLists(), plain, "a@example.org", {}, Box::InBox },
        { rules({ "hanako" }, { "" }), plain, "a@example.org", {}, Box::InBox },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.to.toStdString() + " from " + row.from.toStdString());
        const QByteArray content = message(row.to, row.from, row.mailer);
        const QString name = receive(content);
        Distributor distributor(m_store, row.lists);
        EXPECT_EQ(distributor.DevideGo(name), row.box);
        EXPECT_EQ(distributor.lastFileName(), name);
        for (Box each : { Box::InBox, Box::InBox1, Box::InBox2 })
            EXPECT_EQ(exists(each, name), each == row.box);
        EXPECT_EQ(m_store.read(row.box, name), content);
    }
}

TEST_F(DistributorTest, AFailedCopyLeavesTheMessageInInBoxAndTriesNoFurtherList)
{
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox2)).removeRecursively());
    const QString name = receive(message("Taro <t@example.jp>", "a@example.org"));
    EXPECT_EQ(Distributor(m_store, rules({ "*" }, { "taro" }, { "a@example" })).DevideGo(name), Box::InBox);
    // A pending catch-all whose box is gone leaves it too.
    EXPECT_EQ(Distributor(m_store, rules({}, { "*" })).DevideGo(name), Box::InBox);
    EXPECT_EQ(listing(Box::InBox), QStringList { name });
    EXPECT_TRUE(listing(Box::InBox1).isEmpty());
}

TEST_F(DistributorTest, WithoutHeadersOnlyACatchAllMovesAMessageAndStrangeNamesStay)
{
    Distributor distributor(m_store, rules({ "taro" }, { "*" }));
    EXPECT_EQ(distributor.DevideGo(receive("\r\n\r\nTo: Taro <t@example.jp>\r\n")), Box::InBox2);
    EXPECT_EQ(distributor.DevideGo("missing0.ID"), Box::InBox);
    EXPECT_EQ(distributor.DevideGo("../InBox1/x.ID"), Box::InBox);
}

TEST_F(DistributorTest, TheSameNameInTheMailersBoxIsNeverReplacedUnlessItIsTheSameMessage)
{
    const QByteArray mine = message("Taro <t@example.jp>", "a@example.org");
    const QString name = receive(mine);
    put(Box::InBox1, name, "older message\r\n");
    Distributor distributor(m_store, rules({ "taro" }));
    EXPECT_EQ(distributor.DevideGo(name), Box::InBox1);
    EXPECT_TRUE(distributor.lastFileName().startsWith(name.left(17)));
    EXPECT_EQ(m_store.read(Box::InBox1, name), "older message\r\n");
    EXPECT_EQ(m_store.read(Box::InBox1, distributor.lastFileName()), mine);
    // A crash after the copy left the message in both boxes: the move is finished.
    const QString again = receive(mine);
    put(Box::InBox1, again, mine);
    EXPECT_EQ(distributor.DevideGo(again), Box::InBox1);
    EXPECT_EQ(distributor.lastFileName(), again);
    EXPECT_TRUE(QDir(m_store.folderPath(Box::InBox)).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

class RedistributorTest : public CoreFixture
{
protected:
    void SetUp() override
    {
        CoreFixture::SetUp();
        put(Box::InBox1, "202612052033101230.ID", message("Taro <t@example.jp>", "a@example.org"));
        put(Box::InBox2, "202612052033101231.ID", message("Jiro <j@example.jp>", "b@example.org"));
        put(Box::InBox, "202612052033101232.ID", message("Hanako <h@example.jp>", "c@example.org"));
    }
    QStringList files(Box box) const
    {
        return QDir(m_store.folderPath(box)).entryList(QDir::Files | QDir::Hidden);
    }

    Distributor m_distributor { m_store };
    Redistributor m_redistributor { m_store, m_distributor };
};

TEST_F(RedistributorTest, TheWholeReceiveSideGoesBackAndThroughTheCurrentRules)
{
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    EXPECT_TRUE(report.notReturned.isEmpty());
    EXPECT_TRUE(report.renamed.isEmpty());
    EXPECT_EQ(listing(Box::InBox).size(), 3);
    EXPECT_TRUE(files(Box::InBox1).isEmpty());
    EXPECT_TRUE(files(Box::InBox2).isEmpty());
    m_distributor.setRules(rules({ "jiro" }, {}, {}, { "a@example" }));
    m_redistributor.mnuReDevClick();
    EXPECT_EQ(listing(Box::InBox1), QStringList { "202612052033101231.ID" });
    EXPECT_EQ(listing(Box::InBox2), QStringList { "202612052033101230.ID" });
    EXPECT_EQ(listing(Box::InBox), QStringList { "202612052033101232.ID" });
}

TEST_F(RedistributorTest, TheSameNameInInBoxAndAMailersBoxKeepsBothMessages)
{
    const QByteArray second = m_store.read(Box::InBox1, "202612052033101230.ID");
    put(Box::InBox, "202612052033101230.ID", "first\r\n");
    put(Box::InBox2, "note.ID", "third\r\n");
    put(Box::InBox, "note.ID", "fourth\r\n");
    const Redistributor::Report report = m_redistributor.mnuReDevClick();
    ASSERT_EQ(report.renamed.size(), 2);
    EXPECT_EQ(report.renamed[0].from, "202612052033101230.ID");
    EXPECT_EQ(m_store.read(Box::InBox, "202612052033101230.ID"), "first\r\n");
    EXPECT_EQ(m_store.read(Box::InBox, report.renamed[0].to), second);
    // A name that is not a stamp still gets a free one.
    EXPECT_EQ(m_store.read(Box::InBox, "note.ID"), "fourth\r\n");
    EXPECT_EQ(m_store.read(Box::InBox, report.renamed[1].to), "third\r\n");
    EXPECT_TRUE(files(Box::InBox1).isEmpty());
}

TEST_F(RedistributorTest, AMessageThatCannotComeBackStaysInItsBox)
{
    ASSERT_TRUE(QDir(m_store.folderPath(Box::InBox)).removeRecursively());
    EXPECT_EQ(m_redistributor.mnuReDevClick().notReturned,
        (QStringList { "202612052033101230.ID", "202612052033101231.ID" }));
    EXPECT_EQ(listing(Box::InBox1), QStringList { "202612052033101230.ID" });
}

} // namespace
} // namespace vesk::test
