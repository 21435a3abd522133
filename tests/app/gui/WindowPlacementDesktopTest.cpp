#include "../VeskProcess.h"

#include "support/FreePort.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

// The box window and the monitor through restarts on a desktop with a window
// manager, as a person meets them: first placed clear of the strip, then
// back where they were left, never creeping by the title bar's height.
TEST(WindowPlacementDesktop, WindowsComeBackWhereTheyWereLeftAndClearOfTheStrip)
{
    XvfbSession x;
    QString error;
    if (!x.start(true, &error) || !x.startWindowManager(&error))
        GTEST_SKIP() << error.toStdString();
    VeskHome home;
    // The strip fixed top left; nothing placed yet.
    home.writeIni(u"[Config]\nMailRound=1\nServerON=1\nAutoDevideDisp=1\nDebugWindow=1\nRoundGo=0\n"
                  u"FirstDelay=600\nHost=127.0.0.1\nSMTP=127.0.0.1\nUserID=taro\nPassword=x\n"
                  u"POP3_VeskMailer1=%1\nSMTP_VeskMailer1=%2\n[Disp]\nPosiMode=1\n"_s.arg(freePort())
                      .arg(freePort()));
    const QString boxTitle = u"送受信箱"_s;
    const QString monitorTitle = u"Vesk communication moniter < Server - Vesk - Mailer >"_s;

    QRect strip, box, monitor;
    const auto startAndWait = [&] {
        auto vesk = home.start({}, x.display());
        const bool up = waitFor(
            [&] {
                strip = x.window(u"Vesk"_s);
                box = x.windowStartingWith(boxTitle);
                monitor = x.window(monitorTitle);
                return !strip.isEmpty() && !box.isEmpty() && !monitor.isEmpty();
            },
            20000);
        pumpFor(1000); // placed after they map
        box = x.windowStartingWith(boxTitle);
        monitor = x.window(monitorTitle);
        return up ? std::move(vesk) : nullptr;
    };

    auto vesk = startAndWait();
    ASSERT_TRUE(vesk) << home.log().toStdString();
    EXPECT_TRUE(x.shoot(u"placement-first-start.png"_s, QRect(0, 0, 1024, 768)));
    // Below the strip, title bars included (the client area starts lower).
    EXPECT_GT(box.top(), strip.bottom() + 10) << box.top();
    EXPECT_GT(monitor.top(), strip.bottom() + 10) << monitor.top();

    // Moved by the user, then the program ended and started again, twice.
    x.xdotool({ u"search"_s, u"--name"_s, u"^送受信箱"_s, u"windowmove"_s, u"300"_s, u"200"_s });
    pumpFor(500);
    const QRect moved = x.windowStartingWith(boxTitle);
    const QRect monitorPlace = x.window(monitorTitle);
    for (int restart = 1; restart <= 2; ++restart) {
        ASSERT_EQ(home.run({ u"--quit"_s }), 0);
        vesk->waitForFinished(20000);
        vesk = startAndWait();
        ASSERT_TRUE(vesk) << home.log().toStdString();
        EXPECT_EQ(box.topLeft(), moved.topLeft()) << "restart " << restart;
        EXPECT_EQ(monitor.topLeft(), monitorPlace.topLeft()) << "restart " << restart;
    }
    EXPECT_TRUE(x.shoot(u"placement-after-restarts.png"_s, QRect(0, 0, 1024, 768)));

    // A place whose title bar is off the screen is not restored.
    home.run({ u"--quit"_s });
    vesk->waitForFinished(20000);
    QFile ini(home.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(ini.readAll());
    ini.close();
    text.replace(QRegularExpression(u"DevideTop=-?\\d+"_s), u"DevideTop=-40"_s);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(text.toUtf8());
    ini.close();
    vesk = startAndWait();
    ASSERT_TRUE(vesk);
    EXPECT_GT(box.top(), 10);
    home.run({ u"--quit"_s });
    vesk->waitForFinished(20000);
}

} // namespace
} // namespace vesk::test
