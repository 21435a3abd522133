#include "ControllerFixture.h"

namespace vesk::test {

// A mailer started from the strip gets its macro only when mail waits for
// it (or always with MacroSend), and never after a failed start.
TEST_F(ControllerTest, MailerMacroFollowsTheMailAndTheStart)
{
    settings.writeString("Config", "Mailer", "/opt/mail/bin/mailer");
    settings.writeString("Config", "MailerSw", "-check \"my box\"");
    settings.writeString("Config", "Macro", "ENT");
    Controller &c = make();
    c.mailers().mailerEntry(MailerController::MailerEntry::Menu1);
    EXPECT_EQ(desktop.starts, QStringList { "/opt/mail/bin/mailer|-check \"my box\"|/opt/mail/bin" });
    EXPECT_TRUE(desktop.typed.isEmpty()) << "no mail, no macro";

    put(Box::InBox, "20261206080000000.ID", "Subject: x\r\n\r\nbody\r\n");
    c.mailers().mailerEntry(MailerController::MailerEntry::Menu1);
    EXPECT_EQ(desktop.typed, QStringList({ "+13", "-13" }));
    EXPECT_TRUE(desktop.closed.isEmpty());

    desktop.typed.clear();
    c.mailers().mailerMacroTest(1, "/missing/mailer", "", "abc");
    EXPECT_EQ(m_messenger.messages, QStringList { "Mailerを起動出来ません" });
    EXPECT_TRUE(desktop.typed.isEmpty());
}

// WithClose: what was started is asked to close at the end, unless its
// process id now belongs to some other program.
TEST_F(ControllerTest, StartedProgramsAreClosedAtTheEnd)
{
    settings.writeInteger("Config", "WithClose", 1);
    settings.writeString("Config", "Mailer", "/usr/bin/mailer");
    settings.writeString("Luncher", "00", "Tool,/usr/bin/tool,\" \",\" \",SCLOSE");
    Controller &c = make();
    c.mailers().mailerEntry(MailerController::MailerEntry::Title);
    EXPECT_TRUE(c.launcher().startLauncherEntry(0));
    // Its macro SCLOSE closes the program it started.
    EXPECT_EQ(desktop.closed, QList<qint64> { 102 });
    c.mailers().mailerEntry(MailerController::MailerEntry::Title);
    desktop.running_.remove(103);
    desktop.closed.clear();
    EXPECT_TRUE(c.quit());
    EXPECT_EQ(desktop.closed, QList<qint64>({ 101, 102 }));
}

// Hot keys: taken ones are reported, a pressed one starts its entry (once
// the earlier start is over), SELFMENU opens the menu.
TEST_F(ControllerTest, HotKeysStartTheirEntries)
{
    settings.writeString("Luncher", "00", "Edit,/usr/bin/editor,@get@x,\" \",\" \",\" \",Ctrl+Alt+E");
    settings.writeString("Luncher", "01", "Busy,/usr/bin/busy,,,,,Ctrl+F1");
    settings.writeString("Luncher", "02", "selfmenu,,,,,,Alt+M");
    desktop.taken << 2112;
    Controller &c = make();
    EXPECT_EQ(
        m_messenger.messages, QStringList { "Ctrl+F1のHotKey設定はできません。Windowsで使っています。" });
    EXPECT_EQ(desktop.grabbed, (QSet<int> { 3069, 1077 }));
    int menus = 0;
    QObject::connect(&c.launcher(), &LauncherController::launcherMenuRequested, [&] { ++menus; });
    desktop.press(1077);
    EXPECT_EQ(menus, 1);

    // "@GET@" asks first, with the text typed last time; cancelled, nothing starts.
    settings.writeString("Disp", "GetStr", "last");
    desktop.press(3069);
    EXPECT_EQ(prompts, QStringList { "Edit|last" });
    EXPECT_TRUE(desktop.starts.isEmpty());
    EXPECT_EQ(c.strip().marker(), "");
    promptAnswer = "report.txt";
    desktop.press(3069);
    EXPECT_EQ(desktop.starts, QStringList { "/usr/bin/editor|report.txtx|/usr/bin" });
    EXPECT_EQ(settings.readString("Disp", "GetStr"), "report.txt");

    // The launcher editor lets go of the hot keys; closing it takes them again.
    c.launcher().openLauncherEditor();
    EXPECT_TRUE(desktop.grabbed.isEmpty());
    c.launcher().launcherEditorClosed();
    EXPECT_EQ(desktop.grabbed.size(), 2);
}

TEST_F(ControllerTest, AProgramThatDoesNotStartIsNamedWithTheReason)
{
    settings.writeString("Luncher", "00", "Gone,/nonexistent/missing-tool,,,,,Ctrl+Alt+G");
    make();
    desktop.press(*desktop.grabbed.begin());
    EXPECT_EQ(m_messenger.messages,
        QStringList {
            "外部ソフトを起動出来ません\r\n「/nonexistent/missing-tool」: ファイルが見つかりません" });
}

// A desktop without hot keys (Wayland) says so once, not at every load.
TEST_F(ControllerTest, ADesktopWithoutHotKeysSaysSoOnce)
{
    desktop.acting = false;
    settings.writeString("Luncher", "00", "Edit,/usr/bin/editor,,,,,Ctrl+Alt+E");
    settings.writeString("Luncher", "01", "Tool,/usr/bin/tool,,,ENT");
    Controller &c = make();
    reloadSettings(c);
    EXPECT_EQ(
        m_messenger.messages, QStringList { "Ctrl+Alt+EのHotKey設定はできません。Windowsで使っています。" });
    // Programs still start; their macros cannot be typed, which is said once.
    EXPECT_TRUE(c.launcher().startLauncherEntry(1));
    EXPECT_TRUE(c.launcher().startLauncherEntry(1));
    EXPECT_EQ(desktop.starts.size(), 2);
    EXPECT_EQ(m_messenger.messages.size(), 2);
}

// While an entry starts the marker is "*" and the program does not end; a
// second start meanwhile waits for its turn instead of typing into the
// first one's program.
TEST_F(ControllerTest, AStartingEntryHoldsOffTheEndAndSecondStarts)
{
    settings.writeString("Luncher", "00", "Tool,/usr/bin/tool,,,ENT");
    settings.writeString("Luncher", "01", "WithVesk,/usr/bin/at-start");
    Controller &c = make();
    // "WITHVESK" started with the program, and is closed at its end.
    EXPECT_EQ(desktop.starts, QStringList { "/usr/bin/at-start||/usr/bin" });
    bool once = false;
    bool quitRefused = false;
    m_pump.eachRound = [&] {
        if (std::exchange(once, true))
            return;
        EXPECT_EQ(c.strip().marker(), "*");
        quitRefused = !c.quit();
        EXPECT_TRUE(c.launcher().startLauncherEntry(0));
        EXPECT_EQ(desktop.starts.size(), 2);
    };
    EXPECT_TRUE(c.launcher().startLauncherEntry(0));
    EXPECT_TRUE(quitRefused);
    EXPECT_EQ(c.strip().marker(), "");
    EXPECT_EQ(desktop.typed, QStringList({ "+13", "-13" }));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(desktop.starts.size(), 3);
    EXPECT_EQ(desktop.typed.size(), 4) << "the second start typed after the first";
    EXPECT_FALSE(c.launcher().startLauncherEntry(7));
    EXPECT_TRUE(c.quit());
    EXPECT_EQ(desktop.closed, QList<qint64> { 101 });
}

// AfterDown opens the mailer after a manual check that left mail for it;
// not when the mailer's own check brought it.
TEST_F(ControllerTest, AutoOpenFollowsAManualCheck)
{
    settings.writeInteger("Config", "MailRound", 1);
    settings.writeInteger("Config", "AutoOpen", 1);
    settings.writeString("Config", "Mailer", "/usr/bin/mailer");
    Controller &c = make();
    int arrived = 0;
    provider.duringDownLoad = [&] {
        put(Box::InBox, QStringLiteral("2026120608000000%1.ID").arg(arrived++), "Subject: x\r\n\r\nbody\r\n");
    };
    c.mailHost().upLoad(TriggerMailer);
    EXPECT_TRUE(desktop.starts.isEmpty());
    c.checkNow();
    EXPECT_EQ(desktop.starts.size(), 1);
    EXPECT_FALSE(c.mailAnnounced());
}

} // namespace vesk::test
