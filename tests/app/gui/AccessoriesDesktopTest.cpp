#include "../VeskProcess.h"
#include "support/TestPaths.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QString noteTexts(const QString &folder)
{
    QString all;
    for (const QString &name :
        QDir(folder).entryList({ QStringLiteral("Pelma*.ID") }, QDir::Files, QDir::Name)) {
        QFile file(folder + u'/' + name);
        if (file.open(QIODevice::ReadOnly))
            all += QString::fromUtf8(file.readAll());
    }
    return all;
}

} // namespace

// On an X server, as a person meets it: a reminder's "付箋紙貼付" starts the
// note program with the reminder as a note; F6 shows the slideshow under the
// strip; the end of Vesk closes the notes, and the next start brings them
// back. Screenshots go to build/artefacts/.
TEST(AccessoriesDesktop, AReminderBecomesANoteThatComesBackAfterARestart)
{
    if (!QFileInfo(binaryDir() + QStringLiteral("/src/pelma")).isExecutable())
        GTEST_SKIP() << "no note program built";
    XvfbSession x;
    QString error;
    if (!x.start(false, &error))
        GTEST_SKIP() << error.toStdString();
    VeskHome home;
    const QString notes = home.dataDir() + QStringLiteral("/../Pelma");
    const QString yesterday = QDate::currentDate().addDays(-1).toString("yyyy/MM/dd");
    home.writeIni(QStringLiteral("[Config]\nMailRound=0\n[Plan]\n%1 10:00 00=0 0 見積書を送る（山田様）\n")
                      .arg(yesterday));
    const auto vesk = home.start({}, x.display());
    const QString reminder = "予定が過ぎています";
    ASSERT_FALSE(x.waitForWindow(reminder, 20000).isEmpty()) << "no reminder window";
    x.xdotool({ "search", "--name", reminder, "windowfocus", "--sync", "%1", "key", "alt+g" });
    ASSERT_FALSE(x.waitForWindow("付箋", 20000).isEmpty()) << "no note window";
    EXPECT_TRUE(waitFor([&] { return x.window(reminder).isEmpty(); }, 10000));
    const QString written = noteTexts(notes);
    EXPECT_TRUE(written.contains(QStringLiteral("Date=%1 10:00\n").arg(yesterday))) << written.toStdString();
    EXPECT_TRUE(written.endsWith("\n\n見積書を送る（山田様）")) << written.toStdString();

    // F6 on the strip: the new-mail indication with its pictures.
    x.click(x.window("Vesk").topLeft() + QPoint(5, 5), { "F6" });
    EXPECT_TRUE(waitFor([&] { return x.window("Vesk").height() > 100; }, 10000))
        << "no pictures under the strip";
    pumpFor(600);
    EXPECT_TRUE(x.shoot("accessories-desktop-note.png", QRect(0, 0, 1024, 768)));

    // The end of Vesk closes the note program it started.
    EXPECT_EQ(home.run({ "--quit" }), 0);
    EXPECT_TRUE(vesk->waitForFinished(20000));
    EXPECT_TRUE(waitFor([&] { return x.window("付箋").isEmpty(); }, 10000));

    // The next start shows the notes again (付箋紙 ticked, PelmaHide off).
    const auto again = home.start({}, x.display());
    EXPECT_FALSE(x.waitForWindow("付箋", 20000).isEmpty()) << "the note did not come back";
    pumpFor(600);
    EXPECT_TRUE(x.shoot("accessories-desktop-restart.png", QRect(0, 0, 1024, 768)));
    EXPECT_EQ(home.run({ "--quit" }), 0);
    EXPECT_TRUE(again->waitForFinished(20000));
    EXPECT_TRUE(waitFor([&] { return x.window("付箋").isEmpty(); }, 10000));
}

} // namespace vesk::test
