#include "BoxFixture.h"

#include "support/WaitFor.h"

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

const QString A = u"20261206080000001.ID"_s;
const QString B = u"20261206080000002.ID"_s;

class BoxCommandsTest : public BoxFixture
{
protected:
    void open(bool twoMailers = true)
    {
        host.config.DevideON = twoMailers;
        window.shown();
    }
};

TEST_F(BoxCommandsTest, MovingOntoTheSameMessageLetsTheSourceGoAndADifferentOneKeepsBoth)
{
    put(Box::InBox, A, mail(u"山田"_s, u"同じ"_s));
    put(Box::InBox1, A, mail(u"山田"_s, u"同じ"_s));
    put(Box::InBox, B, mail(u"鈴木"_s, u"新しい"_s));
    put(Box::InBox1, B, mail(u"別人"_s, u"古い"_s));
    open();
    pick(Grid::Receive, 0, 1);
    commands.move(1);

    EXPECT_TRUE(list(Grid::Receive).isEmptyList());
    EXPECT_FALSE(exists(Box::InBox, A));
    EXPECT_FALSE(exists(Box::InBox, B));
    // The other message of the same name stays; the moved one takes a free name.
    const QStringList names = m_store.listing(Box::InBox1);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(list(Grid::Receive1).messageCount(), 3);
    EXPECT_EQ(list(Grid::Receive1).fileNames().mid(0, 2), (QStringList { A, B }));
    EXPECT_TRUE(m_messenger.messages.isEmpty()) << m_messenger.messages.join('|').toStdString();
}

TEST_F(BoxCommandsTest, CtrlCopiesAndUpGoesFromTheOutBoxToMailerTwo)
{
    put(Box::OutBox, A,
        "VeskFrom: <me@example.jp>\r\nVeskTo: <you@example.jp>\r\n" + mail(u"自分"_s, u"送"_s));
    open();
    pick(Grid::Send, 0);
    window.viewReport().setCopyFlag(true);
    commands.move(0);
    EXPECT_TRUE(exists(Box::OutBox, A));
    EXPECT_TRUE(exists(Box::InBox2, A));
    EXPECT_EQ(list(Grid::Send).fileNames(), QStringList { A });
    EXPECT_EQ(list(Grid::Receive2).fileNames(), QStringList { A });
}

TEST_F(BoxCommandsTest, WithOneMailerNoMoveReachesAMailersBox)
{
    put(Box::InBox, A, mail(u"山田"_s, u"一人"_s));
    open(false);
    for (int tag : { 1, 2, 3 }) {
        pick(Grid::Receive, 0);
        commands.move(tag);
        EXPECT_TRUE(exists(Box::InBox, A)) << "key " << tag;
    }
    EXPECT_TRUE(m_store.listing(Box::InBox1).isEmpty());
    EXPECT_TRUE(m_store.listing(Box::InBox2).isEmpty());
    EXPECT_EQ(m_messenger.beeps, 3);

    // Up goes round the two boxes shown.
    pick(Grid::Receive, 0);
    commands.move(0);
    EXPECT_TRUE(exists(Box::OutBox, A));
    pick(Grid::Send, 0);
    commands.move(0);
    EXPECT_TRUE(exists(Box::InBox, A));
}

TEST_F(BoxCommandsTest, MovingToBothMailersCopiesOutOfAMailersBox)
{
    put(Box::InBox, A, mail(u"山田"_s, u"両方"_s));
    put(Box::InBox1, B, mail(u"鈴木"_s, u"一から"_s));
    open();
    pick(Grid::Receive, 0);
    commands.move(3);
    EXPECT_FALSE(exists(Box::InBox, A));
    EXPECT_TRUE(exists(Box::InBox1, A));
    EXPECT_TRUE(exists(Box::InBox2, A));

    pick(Grid::Receive1, list(Grid::Receive1).rowOf(B));
    commands.move(3);
    EXPECT_TRUE(exists(Box::InBox1, B)) << "a mailer's box keeps its message";
    EXPECT_TRUE(exists(Box::InBox2, B));
    EXPECT_EQ(list(Grid::Receive2).messageCount(), 2);
}

TEST_F(BoxCommandsTest, MailWithoutEnvelopeMovedToTheOutBoxIsReported)
{
    put(Box::InBox, A, mail(u"山田"_s, u"戻す"_s));
    open();
    pick(Grid::Receive, 0);
    commands.move(0);
    EXPECT_TRUE(exists(Box::OutBox, A));
    EXPECT_EQ(m_messenger.messages,
        QStringList { u"このメールにはVesk送信情報がありませんので、送信は出来ません"_s });
}

TEST_F(BoxCommandsTest, TrashCancelledKeepsEverythingAndARefusedFileKeepsItsRow)
{
    put(Box::InBox, A, mail(u"山田"_s, u"一"_s));
    put(Box::InBox, B, mail(u"鈴木"_s, u"二"_s));
    open();
    pick(Grid::Receive, 0, 1);
    m_messenger.answer = Messenger::Answer::No;
    commands.erase();
    EXPECT_EQ(list(Grid::Receive).messageCount(), 2);
    EXPECT_TRUE(exists(Box::InBox, A) && exists(Box::InBox, B));

    m_messenger.answer = Messenger::Answer::Yes;
    trash.refused = QStringList { B };
    commands.erase();
    EXPECT_FALSE(exists(Box::InBox, A));
    EXPECT_EQ(list(Grid::Receive).fileNames(), QStringList { B });
    ASSERT_EQ(m_messenger.messages.size(), 1);
    EXPECT_TRUE(m_messenger.messages[0].startsWith(u"ゴミ箱に移せなかったメールがあります。"_s));
}

TEST_F(BoxCommandsTest, TrashingTheLastMessageClosesTheWindowOrChecksTheBoxes)
{
    put(Box::InBox, A, mail(u"山田"_s, u"一"_s));
    open(false);
    bool closed = false;
    QObject::connect(&window, &BoxWindowModel::closeRequested, [&] { closed = true; });
    m_messenger.answer = Messenger::Answer::Yes;
    pick(Grid::Receive, 0);
    commands.erase();
    EXPECT_TRUE(closed);

    put(Box::InBox, B, mail(u"鈴木"_s, u"二"_s));
    host.config.AutoDevideDisp = true;
    closed = false;
    window.refillAll();
    pick(Grid::Receive, 0);
    commands.erase();
    EXPECT_FALSE(closed);
    EXPECT_EQ(host.calls, QStringList { u"popUpCheck"_s });
}

TEST_F(BoxCommandsTest, RuleTextTakesTheOwnNamesOrTheSendersAddress)
{
    struct Case
    {
        int list;
        QString other, own, expected;
    };
    const Case cases[] = {
        { 1, u"山田 <y@example.jp>"_s, u" 自分 "_s, u"自分"_s },
        { 3, u"山田 <y@example.jp>"_s, u" 自分"_s, u"y@example.jp"_s },
        { 4, u"y@example.jp (山田)"_s, u""_s, u"y@example.jp"_s },
        { 3, u"y@example.jp"_s, u""_s, u"y@example.jp"_s },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ruleText(c.list, c.other, c.own), c.expected) << c.other.toStdString();
}

TEST_F(BoxCommandsTest, LaunchPasswordRefusesTheButtonAndSendModeComesBackOnHide)
{
    host.config.MailPassword = u"ab"_s;
    open();
    commands.launchMailer(1);
    commands.launchMailer(2);
    EXPECT_EQ(m_messenger.messages, QStringList { u"Mailer1起動用のパスワードを入力してください"_s });
    EXPECT_EQ(host.calls, QStringList { u"wake2"_s });

    window.setSendHeld(true);
    host.indication = true;
    window.hidden();
    EXPECT_FALSE(host.held);
    EXPECT_FALSE(host.indication);
}

TEST_F(BoxCommandsTest, EmptyingAllBoxesAsksFirst)
{
    open();
    commands.cleanAll();
    EXPECT_EQ(m_messenger.messages, QStringList { u"ファイルはありません"_s });
    put(Box::InBox1, A, mail(u"山田"_s, u"一"_s));
    put(Box::OutBox, B, mail(u"自分"_s, u"二"_s));
    window.refillAll();
    m_messenger.answer = Messenger::Answer::Yes;
    commands.cleanAll();
    EXPECT_EQ(m_messenger.questions.last(), u"送受信箱の中身を全て消します。\r\n消してもよろしいですか？"_s);
    EXPECT_TRUE(window.allEmpty());
    EXPECT_EQ(trash.trashed.size(), 2);
    EXPECT_EQ(host.calls, QStringList { u"popUpCheck"_s });
}

TEST_F(BoxCommandsTest, FilesTakenOrPutInByOthersShowAfterAPause)
{
    put(Box::InBox, A, mail(u"山田"_s, u"一"_s));
    open();
    ASSERT_TRUE(QFile::remove(m_store.filePath(Box::InBox, A)));
    put(Box::InBox2, B, mail(u"鈴木"_s, u"二"_s));
    EXPECT_TRUE(waitFor(
        [&] {
            m_timers.advance(BoxWindowModel::FolderSettleMs);
            return list(Grid::Receive).isEmptyList() && list(Grid::Receive2).fileNames() == QStringList { B };
        },
        5000));
}

} // namespace
} // namespace vesk::test
