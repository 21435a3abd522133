#include "ControllerFixture.h"
#include "app/AccessoriesController.h"
#include "boxes/BoxWindowController.h"
#include "extras/slideshow/Slideshow.h"
#include "store/rules/RuleStorage.h"
#include "support/TestFiles.h"

namespace vesk::test {

using namespace Qt::StringLiterals;

TEST_F(ControllerTest, NewMailIsAnnouncedOnceWhileTheIndicationIsUp)
{
    Controller &c = make();
    provider.nextNewMail = 2;
    c.checkNow();
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(soundEvent, SoundEvent::NewMail);
    EXPECT_EQ(c.strip().display().mode(), DisplayState::MailOn);
    EXPECT_TRUE(atoms.exists("VeskTalked"));
    // A periodic check with more mail neither sounds again nor restarts.
    provider.nextNewMail = 1;
    m_timers.advance(50 + 20 * 60000);
    EXPECT_EQ(provider.downloads, 2);
    EXPECT_EQ(sounds, 1);
    EXPECT_TRUE(c.strip().stripState().animationRunning);
    // A manual check stops the animation, and more mail does not restart it.
    c.checkNow();
    EXPECT_EQ(sounds, 1);
    EXPECT_FALSE(c.strip().stripState().animationRunning);
    EXPECT_TRUE(c.mailAnnounced());
    c.toggleMailIndication();
    EXPECT_FALSE(atoms.exists("VeskTalked"));
    EXPECT_FALSE(c.mailAnnounced());
}

TEST_F(ControllerTest, CheckOnlyModeKeepsTheIndicationWhileTheMailColourIsUp)
{
    settings.writeInteger("Config", "ServerON", 0);
    Controller &c = make();
    provider.nextNewMail = 1;
    c.checkNow();
    // The animation ends after its limit; the colour and the atom stay.
    m_timers.advance(50 + 1000 * 60 + 31 * 60000);
    ASSERT_FALSE(c.strip().stripState().animationRunning);
    ASSERT_TRUE(c.strip().display().mailColour());
    provider.nextNewMail = 0;
    c.checkNow();
    EXPECT_TRUE(c.mailAnnounced());
    EXPECT_TRUE(atoms.exists("VeskTalked"));
}

TEST_F(ControllerTest, TheBoxCaptionShowsTheLastCheckOnceTheDownloadEnds)
{
    QStringList captions;
    Controller &c = make([&](Controller &c) {
        QObject::connect(
            &c.boxWindow(), &BoxWindowController::captionChanged, [&](const QString &caption) { captions << caption; });
    });
    provider.duringDownLoad = [&] { c.mailView().setBoxCaption("送受信箱 Down 30/30"); };
    c.checkNow();
    ASSERT_FALSE(captions.isEmpty());
    EXPECT_EQ(captions.last(), "送受信箱 <Last 12/6 8:00>");
}

TEST_F(ControllerTest, TheResultIsShownForThreeSeconds)
{
    Controller &c = make();
    c.checkNow();
    EXPECT_EQ(c.strip().display().statusText(), "Non Mail");
    m_timers.advance(3000);
    EXPECT_EQ(c.strip().display().mode(), DisplayState::Normal);
    provider.fail = true;
    c.checkNow();
    EXPECT_EQ(c.strip().display().statusText(), "ConnectNG");
    m_timers.advance(2000);
    EXPECT_EQ(c.strip().display().mode(), DisplayState::Normal);
}

TEST_F(ControllerTest, TheSendQuestionComesOnlyWithNewMailAndLeftAloneSendsAfterSendPauseTime)
{
    settings.writeInteger("Config", "SendPause", 1);
    settings.writeInteger("Config", "SendPauseTime", 4);
    Controller &c = make();
    c.checkNow();
    EXPECT_EQ(provider.sends, 0); // an empty out-box sends nothing
    putOut();
    c.mailHost().upLoad(TriggerMailer); // a mailer's send cycle: download, then send
    EXPECT_EQ(provider.downloads, 2);
    EXPECT_EQ(provider.sends, 1);
    EXPECT_TRUE(m_messenger.questions.isEmpty());
    provider.nextNewMail = 1;
    const qint64 before = m_timers.elapsed();
    c.checkNow();
    EXPECT_EQ(provider.sends, 2);
    EXPECT_GE(m_timers.elapsed() - before, 4000);
    EXPECT_LT(m_timers.elapsed() - before, 6000);
    ASSERT_EQ(m_messenger.questions.size(), 1);
    EXPECT_TRUE(m_messenger.questions.last().endsWith("\r\n\r\n< 4秒後に自動送信します >"));
}

TEST_F(ControllerTest, BothMailersStartUnlessTheirPortsCollide)
{
    settings.writeInteger("Config", "DevideON", 1);
    make();
    EXPECT_EQ(servers.calls.mid(0, 2), (QStringList { "start1", "start2" }));
    settings.writeInteger("Config", "POP3_VeskMailer2", 10110);
    servers.calls.clear();
    make();
    EXPECT_TRUE(m_messenger.messages.contains("メーラー１とメーラー２のポート番号がダブっています。\r\n"
                                              "どちらかのポート番号を違う番号に変更して下さい。\r\n"
                                              "それらを修正して、Veskを再立ち上げしてください。"));
    EXPECT_FALSE(servers.calls.contains("start1"));
    EXPECT_EQ(servers.calls.last(), "stop");
}

TEST_F(ControllerTest, TheEndKeepsUnsentMailAndWritesTheLastTime)
{
    Controller &c = make();
    putOut();
    provider.nextNewMail = 1;
    c.checkNow();
    EXPECT_TRUE(c.quit());
    EXPECT_TRUE(finished);
    EXPECT_TRUE(exists(Box::OutBox, "20261206080000000.ID"));
    EXPECT_EQ(settings.readString("Disp", "LastTime"), "12/6 8:00");
    EXPECT_FALSE(atoms.exists("vesk") || atoms.exists("VeskTalked"));
    EXPECT_EQ(servers.calls.last(), "stop");
}

// One guard for every source of commands: a check asked for while a cycle
// runs (or waits for an open connection) is refused; a mailer's dialogue
// holding the marker is no reason to refuse one.
TEST_F(ControllerTest, ACheckIsRefusedOnlyInsideARunningCycle)
{
    settings.writeInteger("Config", "RoundTime", 1);
    Controller &c = make();
    QList<bool> nested;
    provider.duringDownLoad = [&] {
        nested << c.checkNowKeepLine();
        // Time passes inside the session; no tick may start another one.
        m_timers.advance(5 * 60000);
    };
    EXPECT_TRUE(c.checkNow());
    EXPECT_EQ(provider.downloads, 1);
    provider.duringDownLoad = {};
    // An open provider connection: the cycle waits for it, and refuses meanwhile.
    provider.active = true;
    m_pump.eachRound = [&] { nested << c.checkNowKeepLine(); };
    c.checkNow();
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_EQ(m_state.marker, "x");
    EXPECT_EQ(nested.count(true), 0);
    EXPECT_GT(nested.size(), 2);
    EXPECT_EQ(m_messenger.beeps, nested.size());
    m_pump.eachRound = {};
    provider.active = false;
    m_state.marker = QStringLiteral(".");
    EXPECT_EQ(c.checkRefusal(), QString());
    EXPECT_TRUE(c.checkNow());
    EXPECT_EQ(provider.downloads, 2);
}

TEST_F(ControllerTest, FirstCheckComesFirstDelaySecondsAfterTheStartUpPassThenEveryRoundTime)
{
    settings.writeInteger("Config", "FirstDelay", 10);
    settings.writeInteger("Config", "RoundTime", 5);
    make();
    m_timers.advance(50 + 10 * 1000 - 1);
    EXPECT_EQ(provider.downloads, 0);
    m_timers.advance(1);
    EXPECT_EQ(provider.downloads, 1);
    // The minute ticks keep to the clock's minutes: the fifth is at 8:05.
    const qint64 fifth = QTime(8, 0, 10, 50).msecsTo(QTime(8, 5, 0, 5));
    m_timers.advance(fifth - 1);
    EXPECT_EQ(provider.downloads, 1);
    m_timers.advance(1);
    EXPECT_EQ(provider.downloads, 2);
    EXPECT_EQ(provider.sends, 0); // the periodic check only downloads
}

TEST_F(ControllerTest, TheMinuteTickKeepsToTheWallClocksMinuteThroughClockChanges)
{
    settings.writeInteger("Config", "FirstDelay", 0);
    settings.writeInteger("Config", "RoundGo", 0);
    m_clock.set(QDateTime(QDate(2026, 12, 6), QTime(8, 0, 17, 300)));
    QList<QTime> ticks;
    make([&](Controller &c) {
        QObject::connect(&c.strip(), &StripController::displayChanged, [&] {
            if (ticks.isEmpty() || ticks.last() != m_clock.now().time())
                ticks << m_clock.now().time();
        });
    });
    m_timers.advance(50 + 1000);
    ticks.clear();
    m_timers.advance(2 * 60000);
    EXPECT_EQ(ticks, (QList<QTime> { QTime(8, 1, 0, 5), QTime(8, 2, 0, 5) }));

    // Set forward 30 s unnoticed: the tick due at 8:03 comes at 8:03:30, the
    // next at 8:04.
    ticks.clear();
    m_clock.advanceMs(30000);
    m_timers.advance(QTime(8, 2, 18, 350).msecsTo(QTime(8, 3, 0, 5)) + 30000);
    EXPECT_EQ(ticks, (QList<QTime> { QTime(8, 3, 30, 5), QTime(8, 4, 0, 5) }));

    // Set forward past 8:05 with the watch telling (as after a suspend): 8:05
    // is ticked at once, 8:06 on time.
    ticks.clear();
    m_clock.advanceMs(90000);
    controller->wallClockChanged();
    m_timers.advance(QTime(8, 5, 30, 5).msecsTo(QTime(8, 6, 0, 5)));
    EXPECT_EQ(ticks, (QList<QTime> { QTime(8, 5, 30, 5), QTime(8, 6, 0, 5) }));

    // Set back 50 s unnoticed: 8:06 has had its tick; the next is at 8:07.
    ticks.clear();
    m_clock.advanceMs(-50000);
    m_timers.advance(60000 + 50000);
    EXPECT_EQ(ticks, (QList<QTime> { QTime(8, 7, 0, 5) }));
}

TEST_F(ControllerTest, AManualCheckBeforeTheDelayCancelsTheFirstPeriodicCheck)
{
    settings.writeInteger("Config", "FirstDelay", 10);
    settings.writeInteger("Config", "RoundTime", 3);
    Controller &c = make();
    m_timers.advance(50 + 3000);
    c.checkNow();
    // The delay phase ends at the next second without a check ...
    m_timers.advance(1000);
    m_timers.advance(20 * 1000 + 2 * 60000);
    EXPECT_EQ(provider.downloads, 1);
    // ... and the next periodic check comes RoundTime minute ticks later.
    m_timers.advance(60000);
    EXPECT_EQ(provider.downloads, 2);
}

TEST_F(ControllerTest, NoPeriodicCheckWithMailCheckingOffOrWithoutAnAccountWhichIsToldOnce)
{
    settings.writeInteger("Config", "RoundGo", 0);
    make();
    m_timers.advance(50 + 60 * 60000);
    EXPECT_EQ(provider.downloads, 0);
    settings.writeInteger("Config", "RoundGo", 1);
    settings.deleteValue("Config", "Host");
    Controller &c = make();
    m_timers.advance(50 + 3 * 60 * 60000);
    EXPECT_EQ(provider.downloads, 0);
    EXPECT_EQ(c.lastTime(), "0/0 0:00");
    EXPECT_EQ(
        m_messenger.messages.count("「各種設定」でプロバイダのサーバ名とユーザーIDを設定してください。"), 1);
}

TEST_F(ControllerTest, DisplayFlagsAreWrittenAtEachClickAndNothingToShowHidesTheStrip)
{
    Controller &c = make();
    c.strip().toggleDisplayFlag(1);
    EXPECT_EQ(settings.readString("Disp", "Wareki"), "1");
    for (int tag : { 1, 3, 4, 5, 6 })
        c.strip().toggleDisplayFlag(tag);
    EXPECT_EQ(settings.readString("Disp", "Close"), "0");
    EXPECT_TRUE(c.strip().display().hiddenMode());
    EXPECT_FALSE(c.strip().stripVisible());
    EXPECT_TRUE(c.settings().ShutNot);
    // New mail brings the strip back while it lasts.
    provider.nextNewMail = 1;
    c.checkNow();
    EXPECT_TRUE(c.strip().stripVisible());
}

TEST_F(ControllerTest, IndicationToggleTwiceSoundsAndEndsAgain)
{
    Controller &c = make();
    c.toggleMailIndication();
    EXPECT_EQ(sounds, 1);
    EXPECT_TRUE(atoms.exists("VeskTalked"));
    EXPECT_EQ(c.strip().layout(), StripLayout::MailOn);
    c.toggleMailIndication();
    EXPECT_FALSE(atoms.exists("VeskTalked"));
    EXPECT_EQ(c.strip().layout(), StripLayout::Normal);
}

// The start password slides over the last two keys: "x", "A", "B" opens
// mailer 1 at the third key; a double-click only shows "Password".
TEST_F(ControllerTest, StartPasswordGuardsTheMailer)
{
    settings.writeString("Config", "MailPassword", "ab");
    settings.writeString("Config", "Mailer", "/usr/bin/mailer");
    Controller &c = make();
    c.mailers().mailerEntry(MailerController::MailerEntry::Title);
    EXPECT_EQ(c.strip().display().dateLabel(), "Password");
    for (QChar key : { u'x', u'A' })
        c.mailers().keyTyped(key);
    EXPECT_TRUE(desktop.starts.isEmpty());
    c.mailers().keyTyped(u'B');
    EXPECT_EQ(desktop.starts, QStringList { "/usr/bin/mailer||/usr/bin" });
}

TEST_F(ControllerTest, PopUpCheckEndsTheIndicationOnceTheReceiveBoxesAreEmpty)
{
    Controller &c = make();
    put(Box::InBox, "20261206080000000.ID", "Subject: x\r\n\r\nbody\r\n");
    provider.nextNewMail = 1;
    c.checkNow();
    c.boxWindow().popUpCheck();
    EXPECT_TRUE(c.mailAnnounced());
    m_store.remove(Box::InBox, "20261206080000000.ID");
    c.boxWindow().popUpCheck();
    EXPECT_FALSE(c.mailAnnounced());
    EXPECT_FALSE(c.strip().trayShowsMail());
    EXPECT_FALSE(atoms.exists("VeskTalked"));
}

TEST_F(ControllerTest, WithoutAnAccountTheDialogOpensOnceAndTheProgramRunsOn)
{
    settings.deleteValue("Config", "Host");
    make();
    controller->settingsDialog().setSettingsDialogPresent(true);
    int opened = 0;
    QObject::connect(controller.get(), &Controller::windowRequested,
        [&](Controller::Window window) { opened += window == Controller::Window::Settings; });
    m_timers.advance(50);
    EXPECT_EQ(opened, 1);
    m_timers.advance(10 * 50);
    EXPECT_EQ(opened, 1); // the ticks wait while it is open

    // Closed without an account: it does not come straight back.
    controller->settingsDialog().settingsDialogClosed();
    m_timers.advance(10 * 50 + 60000);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(m_messenger.messages.isEmpty());
}

TEST_F(ControllerTest, TheFirstAccountSavedIsCheckedAfterTheFirstDelay)
{
    settings.deleteValue("Config", "Host");
    settings.writeInteger("Config", "FirstDelay", 10);
    make();
    controller->settingsDialog().setSettingsDialogPresent(true);
    m_timers.advance(50);
    controller->settingsDialog().settingsDialogClosed();
    m_timers.advance(50 + 10 * 1000 + 60000);

    controller->settingsDialog().openSettings();
    settings.writeString("Config", "Host", "pop.example.jp");
    settings.writeString("Config", "SMTP", "smtp.example.jp");
    controller->settingsDialog().settingsDialogClosed();
    m_timers.advance(10 * 1000 - 1);
    EXPECT_EQ(provider.downloads, 0);
    m_timers.advance(1);
    EXPECT_EQ(provider.downloads, 1);
}

TEST_F(ControllerTest, AConnectionTestNeedsAWholeAccount)
{
    // Nobody asked must not pass for a connection that works.
    EXPECT_FALSE(make().settingsDialog().testConnection({ "pop.example.jp", "pop.example.jp", "", "pw", false }));
    EXPECT_EQ(provider.downloads, 0);
}

TEST_F(ControllerTest, AfterEraseAllNothingIsWrittenBack)
{
    Controller &c = make();
    settings.eraseSection("Config");
    settings.eraseSection("Disp");
    c.settingsDialog().settingsErased();
    c.strip().savePosition(10, 20);
    c.settingsDialog().settingsDialogClosed();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(settings.readSection("Disp").isEmpty());
    EXPECT_TRUE(settings.readSection("Config").isEmpty());
}

TEST_F(ControllerTest, TheSlideshowRunsInTheMailLayoutAndTheNextSetComesAfterIt)
{
    // The user's set, with its own sound, sorts before the shipped JPGDATA1.
    for (const char *name : { "a.jpg", "b.jpg", "chime.wav" })
        ASSERT_TRUE(writeFile(m_dir.path() + "/JPGDATA0/" + name));
    settings.writeString("Config", "MailWave", "/sounds/mail.wav");
    settings.writeInteger("Disp", "MultiJpgCo", 1);
    Controller &c = make();
    QStringList played;
    c.setSoundPlayer([&played](const QString &wave, SoundEvent) { played << wave; });
    ASSERT_EQ(c.accessories().slideshow().folders().size(), 2);
    EXPECT_EQ(c.accessories().slideshow().folderIndex(), 1);
    EXPECT_FALSE(c.accessories().slideshow().running());

    provider.nextNewMail = 1;
    c.checkNow();
    EXPECT_EQ(played, QStringList { "/sounds/mail.wav" });
    EXPECT_TRUE(c.accessories().slideshow().running());
    m_timers.advance(c.accessories().slideshow().interval());
    EXPECT_EQ(c.accessories().slideshow().currentIndex(), 1);

    // Back to normal: the timer stops and the next set (wrapping) is current.
    c.toggleMailIndication();
    EXPECT_FALSE(c.accessories().slideshow().running());
    EXPECT_EQ(c.accessories().slideshow().folderIndex(), 0);
    // Settings read again in between do not lose the count.
    reloadSettings(c);
    c.toggleMailIndication();
    EXPECT_EQ(played.last(), m_dir.path() + "/JPGDATA0/chime.wav");
    c.stopAnimation();
    EXPECT_EQ(c.accessories().slideshow().folderIndex(), 1);
    c.quit();
    EXPECT_EQ(settings.readInteger("Disp", "MultiJpgCo", -1), 1);
}

TEST_F(ControllerTest, AMailerEntryPutsTheAnimationBackToItsFirstPicture)
{
    for (const char *name : { "a.jpg", "b.jpg", "c.jpg" })
        ASSERT_TRUE(writeFile(m_dir.path() + "/JPGDATA0/" + name));
    settings.writeString("Config", "MailPassword", "ab");
    Controller &c = make();
    provider.nextNewMail = 1;
    c.checkNow();
    m_timers.advance(c.accessories().slideshow().interval());
    ASSERT_EQ(c.accessories().slideshow().currentIndex(), 1);
    // Refused for the password, the entry still stops and rewinds it.
    c.mailers().mailerEntry(MailerController::MailerEntry::Title);
    EXPECT_FALSE(c.accessories().slideshow().running());
    EXPECT_EQ(c.accessories().slideshow().currentIndex(), 0);
}

TEST_F(ControllerTest, RuleFromAMessageIsStoredAndTakesEffectAtOnce)
{
    settings.writeInteger("Config", "DevideON", 1);
    settings.writeInteger("Config", "MailRound", 1);
    Controller &c = make();
    QList<Settings> changes;
    QObject::connect(&c, &Controller::settingsChanged, [&](const Settings &s) { changes << s; });

    m_messenger.answer = Messenger::Answer::No;
    c.settingsDialog().offerRule(3, u"hanako@example.jp"_s);
    EXPECT_TRUE(rulestorage::load(settings).isEmpty());

    m_messenger.answer = Messenger::Answer::Yes;
    c.settingsDialog().offerRule(3, u"hanako@example.jp"_s);
    EXPECT_EQ(rulestorage::load(settings).list(3), QStringList { u"hanako@example.jp"_s });
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].DevideList[2], QStringList { u"hanako@example.jp"_s });

    // The other mailer's list refuses the same rule.
    c.settingsDialog().offerRule(4, u"HANAKO@example.jp"_s);
    EXPECT_EQ(m_messenger.messages.last(), u"相手の設定に既にあります"_s);
    EXPECT_TRUE(rulestorage::load(settings).list(4).isEmpty());

    // The send mode the box window sets reaches the engines, unstored.
    c.boxWindow().setSendHeld(true);
    ASSERT_EQ(changes.size(), 2);
    EXPECT_TRUE(changes[1].ManuSend);
    EXPECT_FALSE(settings.readBool("Config", "ManuSend", false));
}

} // namespace vesk::test
