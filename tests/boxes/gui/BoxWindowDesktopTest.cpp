#include "../../app/VeskProcess.h"
#include "BoxWindowMail.h"

#include "support/DovecotPeer.h"
#include "support/FreePort.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

// The box window as a person meets it: mail collected from the test
// provider opens the window, the keys open the quick view on it. Pictures
// of both go to build/artefacts/.
TEST(BoxWindowDesktop, CollectedJapaneseMailShowsInTheBoxWindowAndTheQuickView)
{
    XvfbSession x;
    QString error;
    if (!x.start(false, &error))
        GTEST_SKIP() << error.toStdString();
    DovecotPeer pop;
    ASSERT_TRUE(pop.start(&error)) << error.toStdString();
    ASSERT_TRUE(pop.addMessage(attachedJapaneseMail(u"山田 花子"_s, u"hanako@example.jp"_s,
        u"打ち合わせの資料"_s,
        u"山田です。\n来週の打ち合わせの件、資料を添付しました。\nご確認ください。\n\n場所：本社３階会議室"_s)));
    ASSERT_TRUE(pop.addMessage(plainJapaneseMail(u"鈴木 一郎"_s, u"ichiro@example.jp"_s,
        u"忘年会のお知らせ"_s, u"今年の忘年会は１２月２０日です。\n出欠を返信してください。"_s)));
    ASSERT_TRUE(pop.addMessage(japaneseMail(u"ショップ"_s, u"news@shop.example.jp"_s, u"【セール】冬の特集"_s,
        "Content-Type: text/html; charset=UTF-8\r\n", "<html><body>セール</body></html>\r\n")));

    VeskHome home;
    home.writeIni(
        u"[Config]\nMailRound=1\nServerON=1\nDevideON=1\nAutoDevideDisp=1\nHost=127.0.0.1\n"
        u"UserID=%1\nPassword=%2\nPOP3_ServerVesk=%3\nSMTP_ServerVesk=%4\nPOP3_VeskMailer1=%5\n"
        u"SMTP_VeskMailer1=%6\nPOP3_VeskMailer2=%7\nSMTP_VeskMailer2=%8\nFirstDelay=600\nGyou=12\n"
        u"[Disp]\nDevideTop=0\nDevideLeft=0\nChoimiTop=520\nChoimiLeft=0\nChoimiWidth=580\nChoimiHeight=240\n"_s
            .arg(pop.user(), pop.password())
            .arg(pop.port())
            .arg(freePort())
            .arg(freePort())
            .arg(freePort())
            .arg(freePort())
            .arg(freePort()));
    const auto vesk = home.start({}, x.display());
    ASSERT_FALSE(x.waitForWindow(u"Vesk"_s, 20000).isEmpty());

    // The collected mail opens the box window.
    EXPECT_EQ(home.run({ u"--check"_s }), 0);
    QRect box;
    ASSERT_TRUE(waitFor([&] { return !(box = x.windowStartingWith(u"送受信箱"_s)).isEmpty(); }, 20000));
    EXPECT_EQ(home.count(u"InBox"_s), 3);
    pumpFor(700);
    EXPECT_TRUE(x.shoot(u"desktop-box-window.png"_s, box));

    // Tab to the in-box list, Ctrl+L for the quick view, Down to the next message.
    x.click(box.topRight() + QPoint(-20, 10), { u"Tab"_s, u"ctrl+l"_s });
    QString title;
    QRect view;
    ASSERT_TRUE(waitFor(
        [&] { return !(view = x.windowStartingWith(u"Veskちょい見 ："_s, &title)).isEmpty(); }, 10000));
    pumpFor(500);
    EXPECT_TRUE(x.shoot(u"desktop-quick-view.png"_s, view));
    const QString first = title;
    x.xdotool({ u"key"_s, u"Down"_s });
    ASSERT_TRUE(waitFor(
        [&] { return !x.windowStartingWith(u"Veskちょい見 ："_s, &title).isEmpty() && title != first; },
        10000))
        << title.toStdString();
    pumpFor(500);
    EXPECT_TRUE(x.shoot(u"desktop-quick-view-next.png"_s, view));

    home.run({ u"--quit"_s });
    vesk->waitForFinished(20000);
}

} // namespace
} // namespace vesk::test
