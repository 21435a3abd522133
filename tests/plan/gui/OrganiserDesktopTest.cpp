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

    QRect strip;
    ASSERT_TRUE(waitFor([&] { return (strip = x.window(QStringLiteral("Vesk"))).height() > 100; }, 20000))
        << "no calendar under the strip";
    // The two reminder windows, 5 pixels apart around the screen's centre.
    pumpFor(1500);
    EXPECT_TRUE(x.screenshot(
        XvfbSession::artefact(QStringLiteral("organiser-desktop-start.png")), QRect(0, 0, 1024, 768)));
    // The overdue one-off is gone from the settings.
    QFile ini(home.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(QString::fromUtf8(ini.readAll()).contains(QStringLiteral("昨日の打ち合わせ")));

    // F9 on the strip: the plan editor.
    strip = x.window(QStringLiteral("Vesk"));
    x.xdotool({ QStringLiteral("mousemove"), QString::number(strip.x() + 5), QString::number(strip.y() + 5),
        QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("key"), QStringLiteral("F9") });
    QRect editor;
    ASSERT_TRUE(
        waitFor([&] { return !(editor = x.window(QStringLiteral("Vesk予定時間設定"))).isEmpty(); }, 10000))
        << "the plan editor did not open";
    pumpFor(500);
    EXPECT_TRUE(x.screenshot(XvfbSession::artefact(QStringLiteral("organiser-desktop-editor.png")), editor));
    x.xdotool({ QStringLiteral("key"), QStringLiteral("Escape") });
    ASSERT_TRUE(waitFor([&] { return x.window(QStringLiteral("Vesk予定時間設定")).isEmpty(); }, 10000));

    // Esc on the strip closes the calendar.
    x.xdotool({ QStringLiteral("mousemove"), QString::number(strip.x() + 5), QString::number(strip.y() + 5),
        QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("key"), QStringLiteral("Escape") });
    EXPECT_TRUE(waitFor([&] { return x.window(QStringLiteral("Vesk")).height() < 60; }, 10000));
    EXPECT_EQ(home.run({ QStringLiteral("--quit") }), 0);
    EXPECT_TRUE(vesk->waitForFinished(20000));
}

} // namespace vesk::test
