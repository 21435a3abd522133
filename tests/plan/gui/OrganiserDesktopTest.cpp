#include "../../app/VeskProcess.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

namespace vesk::test {

// The organiser as a person meets it, on an X server: the calendar in the
// strip at start, the reminders of the start-up pass, the plan editor from
// the menu's key. Screenshots go to build/artefacts/.
TEST(OrganiserDesktop, CalendarRemindersAndEditor)
{
    XvfbSession x;
    QString error;
    if (!x.start(false, &error))
        GTEST_SKIP() << error.toStdString();
    VeskHome home;
    const QDate today = QDate::currentDate();
    const QString yesterday = today.addDays(-1).toString("yyyy/MM/dd");
    home.writeIni(
        QStringLiteral("[Config]\nMailRound=0\n[Disp]\nCalFlag=1\n[Plan]\n%1 10:00 00=0 0 昨日の打ち合わせ\n"
                       "%2 23:59 00=1 0 記念日のお祝い\n")
            .arg(yesterday, today.toString("yyyy/MM/dd")));
    const auto vesk = home.start({}, x.display());

    ASSERT_TRUE(waitFor([&] { return x.window("Vesk").height() > 100; }, 20000))
        << "no calendar under the strip";
    // The two reminder windows, 5 pixels apart around the screen's centre.
    pumpFor(1500);
    EXPECT_TRUE(x.shoot("organiser-desktop-start.png", QRect(0, 0, 1024, 768)));
    // The overdue one-off is gone from the settings.
    QFile ini(home.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QString::fromUtf8(ini.readAll()).contains("昨日の打ち合わせ"));

    // F9 on the strip: the plan editor.
    const QPoint strip = x.window("Vesk").topLeft() + QPoint(5, 5);
    x.click(strip, { "F9" });
    const QRect editor = x.waitForWindow("Vesk予定時間設定", 10000);
    ASSERT_FALSE(editor.isEmpty()) << "the plan editor did not open";
    pumpFor(500);
    EXPECT_TRUE(x.shoot("organiser-desktop-editor.png", editor));
    x.xdotool({ "key", "Escape" });
    ASSERT_TRUE(waitFor([&] { return x.window("Vesk予定時間設定").isEmpty(); }, 10000));

    // Esc on the strip closes the calendar.
    x.click(strip, { "Escape" });
    EXPECT_TRUE(waitFor([&] { return x.window("Vesk").height() < 60; }, 10000));
    EXPECT_EQ(home.run({ "--quit" }), 0);
    EXPECT_TRUE(vesk->waitForFinished(20000));
}

} // namespace vesk::test
