#include "../VeskProcess.h"
#include "support/DovecotPeer.h"
#include "support/FreePort.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <QFile>

#include <gtest/gtest.h>

namespace vesk::test {

// The program as a person meets it: on an X server with a tray host, against
// the test provider. Screenshots of the strip in its main states go to
// build/artefacts/ for a person to look at.
class DesktopEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        if (!x.start(true, &error))
            GTEST_SKIP() << error.toStdString();
        ASSERT_TRUE(pop.start(&error)) << error.toStdString();
        home.writeIni(QStringLiteral("[Config]\nMailRound=1\nServerON=1\nHost=127.0.0.1\nUserID=%1\nPassword=%2\n"
                                     "POP3_ServerVesk=%3\nSMTP_ServerVesk=%4\nPOP3_VeskMailer1=%5\n"
                                     "SMTP_VeskMailer1=%6\nFirstDelay=600\n"
                                     // The box window that the check opens stays clear of the strip:
                                     // without a window manager nothing keeps the strip on top.
                                     "[Disp]\nDevideTop=400\n")
                          .arg(pop.user(), pop.password())
                          .arg(pop.port())
                          .arg(freePort())
                          .arg(freePort())
                          .arg(freePort()));
    }

    void TearDown() override
    {
        if (vesk && vesk->state() != QProcess::NotRunning) {
            vesk->kill();
            vesk->waitForFinished(5000);
        }
    }

    QString status() const
    {
        QString out;
        home.run({ QStringLiteral("--status") }, &out);
        return out;
    }

    QRect strip() const { return x.window(QStringLiteral("Vesk")); }
    void shoot(const char *name, const QRect &area) const
    {
        EXPECT_TRUE(x.screenshot(XvfbSession::artefact(QString::fromLatin1(name)), area.adjusted(0, 0, 2, 2)));
    }

    XvfbSession x;
    DovecotPeer pop;
    VeskHome home;
    std::unique_ptr<QProcess> vesk;
};

TEST_F(DesktopEndToEnd, StripTrayAndMenuWorkAsAPersonUsesThem)
{
    ASSERT_TRUE(pop.addMessage("From: Hanako <hanako@example.jp>\r\nSubject: test\r\n\r\nbody\r\n"));
    vesk = home.start({}, x.display());
    ASSERT_TRUE(waitFor([&] { return !strip().isEmpty(); }, 20000));
    const QRect normal = strip();
    QRect tray;
    ASSERT_TRUE(waitFor([&] { return !(tray = x.window(QStringLiteral("vesk"), QStringLiteral("panel"))).isEmpty(); },
        10000))
        << "the tray icon did not dock";
    shoot("desktop-strip-normal.png", normal);
    const QString trayBefore = XvfbSession::artefact(QStringLiteral("desktop-tray-normal.png"));
    ASSERT_TRUE(x.screenshot(trayBefore, tray));

    // A left click on the tray icon checks the provider.
    x.xdotool({ QStringLiteral("mousemove"), QString::number(tray.center().x()), QString::number(tray.center().y()),
        QStringLiteral("click"), QStringLiteral("1") });
    ASSERT_TRUE(waitFor([&] { return status().contains(QStringLiteral("newmail: 1")); }, 30000)) << status().toStdString();
    ASSERT_TRUE(waitFor([&] { return strip().height() > normal.height(); }, 10000)) << "no animation area";
    shoot("desktop-strip-new-mail.png", strip());
    const QString trayAfter = XvfbSession::artefact(QStringLiteral("desktop-tray-new-mail.png"));
    ASSERT_TRUE(x.screenshot(trayAfter, tray));
    EXPECT_GT(XvfbSession::differingPixels(trayBefore, trayAfter), 20) << "the tray icon did not change";

    // F6 ends the indication; a check with nothing new shows "Non Mail".
    x.xdotool({ QStringLiteral("mousemove"), QString::number(strip().x() + 5), QString::number(strip().y() + 5),
        QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("key"), QStringLiteral("F6") });
    ASSERT_TRUE(waitFor([&] { return strip().height() == normal.height(); }, 10000));
    EXPECT_EQ(home.run({ QStringLiteral("--check") }), 0);
    EXPECT_TRUE(status().contains(QStringLiteral("display: Non Mail")));
    shoot("desktop-strip-non-mail.png", strip());

    pop.stop();
    EXPECT_EQ(home.run({ QStringLiteral("--check") }), 1);
    EXPECT_TRUE(status().contains(QStringLiteral("display: ConnectNG")));
    shoot("desktop-strip-connect-ng.png", strip());

    // The menu's end command ends the program.
    const QRect s = strip();
    x.xdotool({ QStringLiteral("mousemove"), QString::number(s.x() + 5), QString::number(s.y() + 5),
        QStringLiteral("click"), QStringLiteral("3") });
    pumpFor(500);
    shoot("desktop-menu.png", QRect(0, 0, 420, 480));
    x.xdotool({ QStringLiteral("key"), QStringLiteral("x") });
    ASSERT_TRUE(waitFor([&] { return vesk->state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(vesk->exitCode(), 0);
}

} // namespace vesk::test
