#include "ControllerFixture.h"
#include "extras/Slideshow.h"
#include "pelma/NotePlaces.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>

namespace vesk::test {
namespace {

void touch(const QString &path)
{
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

} // namespace

TEST_F(ControllerTest, TheSlideshowRunsInTheMailLayoutAndTheNextSetComesAfterIt)
{
    // The user's set, with its own sound, sorts before the shipped JPGDATA1.
    for (const char *name : { "a.jpg", "b.jpg", "chime.wav" })
        touch(dir.path() + "/JPGDATA0/" + name);
    settings.writeString("Config", "MailWave", "/sounds/mail.wav");
    settings.writeInteger("Disp", "MultiJpgCo", 1);
    Controller &c = make();
    QStringList played;
    c.setSoundPlayer([&played](const QString &wave) { played << wave; });
    ASSERT_EQ(c.slideshow().folders().size(), 2);
    EXPECT_EQ(c.slideshow().folderIndex(), 1);
    EXPECT_FALSE(c.slideshow().running());

    provider.nextNewMail = 1;
    c.checkNow();
    EXPECT_EQ(played, QStringList { "/sounds/mail.wav" });
    EXPECT_TRUE(c.slideshow().running());
    timers.advance(c.slideshow().interval());
    EXPECT_EQ(c.slideshow().currentIndex(), 1);

    // Back to normal: the timer stops and the next set (wrapping) is current.
    c.acknowledgeMail();
    EXPECT_FALSE(c.slideshow().running());
    EXPECT_EQ(c.slideshow().folderIndex(), 0);
    // Settings read again in between do not lose the count.
    c.reloadSettings();
    c.toggleMailIndication();
    EXPECT_EQ(played.last(), dir.path() + "/JPGDATA0/chime.wav");
    c.stopAnimation();
    EXPECT_EQ(c.slideshow().folderIndex(), 1);
    c.quit();
    EXPECT_EQ(settings.readInteger("Disp", "MultiJpgCo", -1), 1);
}

TEST_F(ControllerTest, TheStickyNoteItemsNeedTheNoteProgramBesideVesk)
{
    for (const QString &program : { dir.path() + "/missing/pelma", binaryDir() + "/src/pelma" }) {
        controller = std::make_unique<Controller>(core, settings, atoms, QStringLiteral("vesk"));
        NotePlaces places = NotePlaces::standard();
        places.program = program;
        places.notes = dir.path() + "/Pelma";
        controller->setNotePlaces(places);
        controller->start();
        const bool present = QFileInfo(program).isExecutable();
        EXPECT_EQ(controller->settings().PelmaMenuEnabled, present) << program.toStdString();
        EXPECT_EQ(controller->settings().PelmaItemsEnabled, present);
    }
    // An empty pane has nothing to hand over.
    controller->sendToStickyNote(QString());
    EXPECT_EQ(messenger.messages, QStringList { "Pelmaに貼り付ける文章がありません。" });
    EXPECT_EQ(messenger.beeps, 1);
}

} // namespace vesk::test
