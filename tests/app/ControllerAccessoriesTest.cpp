#include "ControllerFixture.h"
#include "extras/Slideshow.h"
#include "support/TestFiles.h"

namespace vesk::test {

TEST_F(ControllerTest, TheSlideshowRunsInTheMailLayoutAndTheNextSetComesAfterIt)
{
    // The user's set, with its own sound, sorts before the shipped JPGDATA1.
    for (const char *name : { "a.jpg", "b.jpg", "chime.wav" })
        ASSERT_TRUE(writeFile(m_dir.path() + "/JPGDATA0/" + name));
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
    m_timers.advance(c.slideshow().interval());
    EXPECT_EQ(c.slideshow().currentIndex(), 1);

    // Back to normal: the timer stops and the next set (wrapping) is current.
    c.acknowledgeMail();
    EXPECT_FALSE(c.slideshow().running());
    EXPECT_EQ(c.slideshow().folderIndex(), 0);
    // Settings read again in between do not lose the count.
    c.reloadSettings();
    c.toggleMailIndication();
    EXPECT_EQ(played.last(), m_dir.path() + "/JPGDATA0/chime.wav");
    c.stopAnimation();
    EXPECT_EQ(c.slideshow().folderIndex(), 1);
    c.quit();
    EXPECT_EQ(settings.readInteger("Disp", "MultiJpgCo", -1), 1);
}

} // namespace vesk::test
