#include "ControllerFixture.h"

#include <QFileInfo>

namespace vesk::test {

TEST_F(ControllerTest, NewMailIsAnnouncedOnceWhileTheIndicationIsUp)
{
    Controller &c = make();
    provider.nextNewMail = 2;
    c.checkNow();
    EXPECT_EQ(sounds, 1);
    EXPECT_TRUE(c.mailAnnounced());
    EXPECT_EQ(c.display().mode(), DisplayState::MailOn);
    EXPECT_TRUE(atoms.exists("VeskTalked"));

    // A periodic check with more mail neither sounds again nor restarts.
    provider.nextNewMail = 1;
    timers.advance(50 + 20 * 60000);
    EXPECT_EQ(provider.downloads, 2);
    EXPECT_EQ(sounds, 1);
    EXPECT_TRUE(c.animationOn());
    // A manual check stops the animation, and more mail does not restart it.
    c.checkNow();
    EXPECT_EQ(sounds, 1);
    EXPECT_FALSE(c.animationOn());
    EXPECT_TRUE(c.mailAnnounced());

    c.acknowledgeMail();
    EXPECT_FALSE(atoms.exists("VeskTalked"));
    EXPECT_FALSE(c.mailAnnounced());
}

TEST_F(ControllerTest, ResultIsShownForThreeSeconds)
{
    Controller &c = make();
    c.checkNow();
    EXPECT_EQ(c.display().statusText(), "Non Mail");
    timers.advance(3000);
    EXPECT_EQ(c.display().mode(), DisplayState::Normal);

    provider.fail = true;
    c.checkNow();
    EXPECT_EQ(c.display().statusText(), "ConnectNG");
    EXPECT_EQ(c.status().marker, "x");
    timers.advance(2000);
    EXPECT_EQ(c.display().mode(), DisplayState::Normal);
}

TEST_F(ControllerTest, SendQuestionLeftAloneSendsAfterSendPauseTime)
{
    settings.writeInteger("Config", "SendPause", 1);
    settings.writeInteger("Config", "SendPauseTime", 4);
    Controller &c = make();
    putMail(Box::OutBox, "20261206080000000.ID");
    provider.nextNewMail = 1;
    const qint64 before = timers.elapsed();
    c.checkNow();
    EXPECT_EQ(provider.sends, 1);
    EXPECT_GE(timers.elapsed() - before, 4000);
    EXPECT_LT(timers.elapsed() - before, 6000);
    ASSERT_EQ(messenger.questions.size(), 1);
    EXPECT_TRUE(messenger.questions.last().endsWith("\r\n\r\n< 4秒後に自動送信します >"));
}

TEST_F(ControllerTest, NoQuestionWithoutNewMailAndNoSendWithAnEmptyOutBox)
{
    settings.writeInteger("Config", "SendPause", 1);
    Controller &c = make();
    c.checkNow();
    EXPECT_EQ(provider.sends, 0);
    putMail(Box::OutBox, "20261206080000000.ID");
    c.checkNow();
    EXPECT_EQ(provider.sends, 1);
    EXPECT_TRUE(messenger.questions.isEmpty());
}

TEST_F(ControllerTest, MailerSendCycleRunsDownloadThenSend)
{
    Controller &c = make();
    putMail(Box::OutBox, "20261206080000000.ID");
    c.mailHost().upLoad(TriggerMailer);
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_EQ(provider.sends, 1);
}

TEST_F(ControllerTest, PortCollisionStopsAllServers)
{
    settings.writeInteger("Config", "DevideON", 1);
    settings.writeInteger("Config", "POP3_VeskMailer2", 110);
    Controller &c = make();
    EXPECT_TRUE(messenger.messages.contains("メーラー１とメーラー２のポート番号がダブっています。\r\n"
                                            "どちらかのポート番号を違う番号に変更して下さい。\r\n"
                                            "それらを修正して、Veskを再立ち上げしてください。"));
    EXPECT_FALSE(c.localServersRunning());
    EXPECT_EQ(servers.calls.last(), "stop");
    EXPECT_FALSE(servers.calls.contains("start1"));
}

TEST_F(ControllerTest, BothMailersStartWhenTheirPortsDiffer)
{
    settings.writeInteger("Config", "DevideON", 1);
    make();
    EXPECT_TRUE(servers.calls.contains("start1"));
    EXPECT_TRUE(servers.calls.contains("start2"));
}

TEST_F(ControllerTest, EndKeepsUnsentMailAndWritesTheLastTime)
{
    Controller &c = make();
    putMail(Box::OutBox, "20261206080000000.ID");
    provider.nextNewMail = 1;
    c.checkNow();
    EXPECT_TRUE(c.quit());
    EXPECT_TRUE(finished);
    EXPECT_TRUE(QFileInfo::exists(store.filePath(Box::OutBox, "20261206080000000.ID")));
    EXPECT_EQ(settings.readString("Disp", "LastTime"), c.lastTime());
    EXPECT_NE(c.lastTime(), "0/0 0:00");
    EXPECT_FALSE(atoms.exists("vesk"));
    EXPECT_FALSE(atoms.exists("VeskTalked"));
    EXPECT_EQ(servers.calls.last(), "stop");
}

// One guard for every source of commands: a check asked for inside a
// running cycle is refused, and a mailer's dialogue holding the marker is
// no reason to refuse one.
TEST_F(ControllerTest, ACheckIsRefusedOnlyInsideARunningCycle)
{
    Controller &c = make();
    bool nested = true;
    provider.duringDownLoad = [&] { nested = c.checkNowKeepLine(); };
    EXPECT_TRUE(c.checkNow());
    EXPECT_FALSE(nested);
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_EQ(messenger.beeps, 1);

    provider.duringDownLoad = {};
    session.marker = QStringLiteral(".");
    EXPECT_EQ(c.checkRefusal(), QString());
    EXPECT_TRUE(c.checkNow());
    EXPECT_EQ(provider.downloads, 2);
}

TEST_F(ControllerTest, CheckOnlyModeKeepsTheIndicationWhileTheMailColourIsUp)
{
    settings.writeInteger("Config", "ServerON", 0);
    Controller &c = make();
    provider.nextNewMail = 1;
    c.checkNow();
    ASSERT_TRUE(c.mailAnnounced());
    // The animation ends after its limit; the colour and the atom stay.
    timers.advance(50 + 1000 * 60 + 31 * 60000);
    ASSERT_FALSE(c.animationOn());
    ASSERT_TRUE(c.display().mailColour());
    provider.nextNewMail = 0;
    c.checkNow();
    EXPECT_TRUE(c.mailAnnounced());
    EXPECT_TRUE(atoms.exists("VeskTalked"));
}

TEST_F(ControllerTest, APeriodicCheckWithoutAnAccountIsNoCheck)
{
    settings.writeString("Config", "UserID", "");
    Controller &c = make();
    timers.advance(50 + 1000 * 60 + 20 * 60000);
    EXPECT_EQ(c.marker(), QString());
    EXPECT_FALSE(c.checkDone());
    EXPECT_EQ(c.lastTime(), "0/0 0:00");
    EXPECT_EQ(provider.downloads, 0);
}

} // namespace vesk::test

namespace vesk::test {

TEST_F(ControllerTest, DisplayFlagsAreWrittenAtEachClickAndNothingToShowHidesTheStrip)
{
    Controller &c = make();
    c.toggleDisplayFlag(1);
    EXPECT_EQ(settings.readString("Disp", "Wareki"), "1");
    for (int tag : { 1, 3, 4, 5, 6 })
        c.toggleDisplayFlag(tag);
    EXPECT_EQ(settings.readString("Disp", "Close"), "0");
    EXPECT_TRUE(c.display().hiddenMode());
    EXPECT_FALSE(c.stripVisible());
    EXPECT_TRUE(c.settings().ShutNot);
    // New mail brings the strip back while it lasts.
    provider.nextNewMail = 1;
    c.checkNow();
    EXPECT_TRUE(c.stripVisible());
}

TEST_F(ControllerTest, IndicationToggleTwiceSoundsAndEndsAgain)
{
    Controller &c = make();
    c.toggleMailIndication();
    EXPECT_EQ(sounds, 1);
    EXPECT_TRUE(atoms.exists("VeskTalked"));
    EXPECT_EQ(c.layout(), StripLayout::MailOn);
    c.toggleMailIndication();
    EXPECT_FALSE(atoms.exists("VeskTalked"));
    EXPECT_EQ(c.layout(), StripLayout::Normal);
}

// The start password slides over the last two keys: "x", "A", "B" opens
// mailer 1 at the third key; a double-click only shows "Password".
TEST_F(ControllerTest, StartPasswordGuardsTheMailer)
{
    settings.writeString("Config", "MailPassword", "ab");
    settings.writeString("Config", "Mailer", "/usr/bin/mailer");
    Controller &c = make();
    c.mailerEntry(Controller::MailerEntry::Title);
    EXPECT_EQ(c.display().dateLabel(), "Password");
    for (QChar key : { u'x', u'A' })
        c.keyTyped(key);
    EXPECT_TRUE(desktop.starts.isEmpty());
    c.keyTyped(u'B');
    EXPECT_EQ(desktop.starts, QStringList { "/usr/bin/mailer||/usr/bin" });
}

TEST_F(ControllerTest, PopUpCheckEndsTheIndicationOnceTheReceiveBoxesAreEmpty)
{
    Controller &c = make();
    putMail(Box::InBox, "20261206080000000.ID");
    provider.nextNewMail = 1;
    c.checkNow();
    c.popUpCheck();
    EXPECT_TRUE(c.mailAnnounced());
    store.remove(Box::InBox, "20261206080000000.ID");
    c.popUpCheck();
    EXPECT_FALSE(c.mailAnnounced());
    EXPECT_FALSE(c.trayShowsMail());
    EXPECT_FALSE(atoms.exists("VeskTalked"));
}

} // namespace vesk::test
