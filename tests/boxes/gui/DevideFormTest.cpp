#include "BoxFixture.h"
#include "BoxWindowMail.h"

#include "app/ControllerBoxHost.h"
#include "boxes/BoxWindowController.h"
#include "boxes/gui/BoxGridView.h"
#include "boxes/gui/ChoimiForm.h"
#include "boxes/gui/DevideActions.h"
#include "boxes/gui/DevideForm.h"
#include "mail/MailView.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

const QString Letter = u"山田です。\n来週の打ち合わせの件、資料を添付しました。\nご確認ください。\n\n"
                       u"場所：本社３階会議室\n時間：１０時から\n\n--\n山田 花子"_s;

// The box window drawn offscreen from a controller with fake time, over a
// data folder of Japanese mail.
class DevideFormTest : public WindowFixture
{
protected:
    DevideFormTest()
    {
        settings.writeString("Config", "Host", "pop.example.jp");
        settings.writeString("Config", "UserID", "taro");
        settings.writeInteger("Config", "MailRound", 1);
        settings.writeInteger("Config", "ServerON", 1);
        settings.writeInteger("Config", "DevideON", 1);
        settings.writeInteger("Config", "Gyou", 12);
        settings.writeInteger("Disp", "DevideWidth", 580);
        settings.writeInteger("Disp", "ChoimiWidth", 560);
        settings.writeInteger("Disp", "ChoimiHeight", 380);
    }
    void SetUp() override
    {
        WindowFixture::SetUp();
        put(Box::OutBox, u"20261206081000001.ID"_s,
            "VeskFrom: <taro@example.jp>\r\nVeskTo: <hanako@example.jp>\r\n"
                + japaneseMail(u"山田 太郎"_s, u"taro@example.jp"_s, u"Re: 打ち合わせの資料"_s,
                    "Content-Type: text/plain; charset=ISO-2022-JP\r\n", jis(u"了解です。"_s) + "\r\n",
                    u"山田 花子"_s, u"hanako@example.jp"_s));
        put(Box::InBox, u"20261206080000001.ID"_s,
            attachedJapaneseMail(u"山田 花子"_s, u"hanako@example.jp"_s, u"打ち合わせの資料"_s, Letter));
        put(Box::InBox, u"20261206080100001.ID"_s,
            plainJapaneseMail(
                u"鈴木 一郎"_s, u"ichiro@example.jp"_s, u"忘年会のお知らせ"_s, u"今年もやります。"_s));
        put(Box::InBox, u"20261206080200001.ID"_s,
            japaneseMail(u"ショップ"_s, u"news@shop.example.jp"_s, u"【セール】冬の特集"_s,
                "Content-Type: text/html; charset=UTF-8\r\n", "<html><body>セール</body></html>\r\n"));
        put(Box::InBox1, u"20261206070000001.ID"_s,
            plainJapaneseMail(u"佐藤"_s, u"sato@example.jp"_s, u"明日の予定"_s, u"明日は休みます。"_s));
        put(Box::InBox2, u"20261206060000001.ID"_s,
            plainJapaneseMail(
                u"高橋"_s, u"takahashi@example.jp"_s, u"写真を送ります"_s, u"先日の写真です。"_s));
        start();
    }

    FolderTrash trash { m_dir.path() + "/trash" };
    ControllerBoxHost host { controller, settings };
    TDevideForm form { host, m_store, settings, m_messenger, m_timers, trash };
};

TEST_F(DevideFormTest, ShowsTheFourListsOfJapaneseMailAndFollowsTheBoxes)
{
    form.showWindow();
    settle();
    EXPECT_TRUE(controller.mailView().boxWindowOpen());
    EXPECT_EQ(form.windowTitle(), u"送受信箱 <Last 0/0 0:00>"_s);
    BoxGridView *receive = form.grid(Grid::Receive);
    ASSERT_EQ(receive->model()->rowCount(), 3);
    EXPECT_EQ(receive->model()->headerData(1, Qt::Horizontal).toString(), u"［受］相手"_s);
    EXPECT_EQ(receive->model()->index(0, 3).data().toString(), u"＋"_s);
    EXPECT_EQ(receive->model()->index(2, 4).data().toString(), u"【セール】冬の特集"_s);
    EXPECT_EQ(
        form.grid(Grid::Send)->model()->index(0, 1).data().toString(), u"山田 花子 <hanako@example.jp>"_s);
    EXPECT_TRUE(form.grid(Grid::Receive2)->isVisible());
    EXPECT_EQ(form.grid(Grid::Receive)->columnWidth(1), form.grid(Grid::Send)->columnWidth(1));

    // A title click sorts that list by the column and marks it.
    emit receive->titleClicked(4);
    EXPECT_EQ(receive->model()->index(0, 4).data().toString(), u"【セール】冬の特集"_s);
    EXPECT_EQ(receive->model()->headerData(4, Qt::Horizontal).toString(), u"件名 ∇"_s);
    picture(form, u"box-window"_s);

    // Mail that arrives or goes while the window is open.
    put(Box::InBox1, u"20261206090000001.ID"_s,
        plainJapaneseMail(u"伊藤"_s, u"ito@example.jp"_s, u"新着"_s, u"本文"_s));
    emit controller.boxWindow().messageAdded(Box::InBox1, u"20261206090000001.ID"_s);
    emit controller.boxWindow().messageRemoved(Box::InBox2, u"20261206060000001.ID"_s);
    EXPECT_EQ(form.grid(Grid::Receive1)->model()->rowCount(), 2);
    EXPECT_EQ(form.grid(Grid::Receive2)->model()->rowCount(), 1);
    EXPECT_EQ(form.grid(Grid::Receive2)->model()->index(0, 0).data().toString(), u""_s);

    // A row dragged with Ctrl held onto another list is copied there.
    const QPoint firstRow = receive->visualRect(receive->model()->index(0, 1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, firstRow, receive->viewport()->mapToGlobal(firstRow),
        Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(receive->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, firstRow, receive->viewport()->mapToGlobal(firstRow),
        Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    QApplication::sendEvent(receive->viewport(), &release);
    const QString dragged = receive->model()->index(0, 0).data().toString();
    emit form.grid(Grid::Receive1)->droppedFrom(Grid::Receive);
    EXPECT_TRUE(QFileInfo::exists(m_store.filePath(Box::InBox, dragged)));
    EXPECT_TRUE(QFileInfo::exists(m_store.filePath(Box::InBox1, dragged)));
    EXPECT_EQ(form.grid(Grid::Receive1)->model()->rowCount(), 3);

    // Compact display hides the menus and the status bar; it is remembered.
    form.actions()[DevideActions::Min]->trigger();
    settle();
    EXPECT_FALSE(form.menuBar()->isVisible());
    EXPECT_FALSE(form.grid(Grid::Receive)->horizontalHeader()->isVisible());
    EXPECT_TRUE(form.grid(Grid::Send)->horizontalHeader()->isVisible());
    picture(form, u"box-window-compact"_s);
    form.close();
    EXPECT_FALSE(controller.mailView().boxWindowOpen());
    EXPECT_TRUE(settings.readBool("Disp", "DevideMin", false));
}

TEST_F(DevideFormTest, QuickViewShowsTheJapaneseTextOfTheMessage)
{
    form.showWindow();
    settle();
    form.grid(Grid::Receive)->setFocus();
    form.model().viewReport().setFocusedGrid(Grid::Receive);
    form.model().setCurrent(Grid::Receive, 0);
    form.toggleQuickView();
    settle();
    TChoimiForm *view = form.quickViewForm();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->windowTitle(), u"Veskちょい見 ： 打ち合わせの資料"_s);
    EXPECT_TRUE(view->bodyText().contains(u"来週の打ち合わせの件、資料を添付しました。"_s))
        << view->bodyText().toStdString();
    EXPECT_TRUE(view->headerText().contains(u"Subject: 打ち合わせの資料"_s));
    EXPECT_EQ(view->statusTexts()[1], u"山田 花子 <hanako@example.jp>"_s);
    EXPECT_EQ(form.grid(Grid::Receive)->toolTip(), u"ﾀﾞﾌﾞﾙｸﾘｯｸでちょい見\n右ｸﾘｯｸでｻﾌﾞﾒﾆｭｰ"_s);
    picture(*view, u"quick-view"_s);

    // The buttons under the body step and close as the upper ones do.
    const auto lower = view->findChild<QWidget *>(u"lowerButtons"_s)->findChildren<QToolButton *>();
    const auto press = [&lower](const QString &text) {
        for (QToolButton *button : lower)
            if (button->text() == text)
                button->click();
    };
    press(u"次見"_s);
    settle();
    EXPECT_EQ(view->windowTitle(), u"Veskちょい見 ： 忘年会のお知らせ"_s);

    // The window's hints go back when the quick view closes.
    press(u"閉じる"_s);
    settle();
    EXPECT_EQ(form.grid(Grid::Receive1)->toolTip(), u"ﾀﾞﾌﾞﾙｸﾘｯｸでメーラーⅠ起動\n右ｸﾘｯｸでｻﾌﾞﾒﾆｭｰ"_s);
}

} // namespace
} // namespace vesk::test
