#include "OtherXClient.h"
#include "X11TestServer.h"

#include "launcher/DesktopMacroExecutor.h"
#include "launcher/MacroCompiler.h"
#include "launcher/MacroRunner.h"
#include "platform/DesktopWindows.h"
#include "platform/EventPump.h"
#include "platform/GlobalHotKeys.h"
#include "platform/VirtualKeys.h"
#include "platform/x11/X11Desktop.h"
#include "support/RecordingMessenger.h"
#include "support/WaitFor.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace vesk::test {

// The X11 desktop on a private X server, against a real program: typist,
// a line edit that writes each line it gets.
class X11DesktopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!x11Missing().isEmpty())
            GTEST_SKIP() << x11Missing().toStdString();
        desktop = X11Desktop::open();
        ASSERT_TRUE(desktop);
        services = desktop->services();
    }

    void TearDown() override
    {
        if (typist.state() != QProcess::NotRunning) {
            typist.kill();
            typist.waitForFinished(5000);
        }
    }

    void xdotool(const QStringList &arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), arguments);
        ASSERT_TRUE(tool.waitForFinished(10000));
        ASSERT_EQ(tool.exitCode(), 0) << arguments.join(u' ').toStdString();
    }

    // Starts typist and gives it the keyboard focus.
    void startTypist()
    {
        typist.start(QStringLiteral(VESK_TEST_TYPIST), {});
        ASSERT_TRUE(typist.waitForStarted(10000));
        EXPECT_EQ(line(), "ready");
        // What the launcher waits for: a window of the started process.
        ASSERT_TRUE(waitFor([&] { return services.windows->showsWindow(typist.processId()); }, 15000));
        // No window manager here: the focus follows the pointer until set.
        xdotool({ "search", "--sync", "--onlyvisible", "--pid", QString::number(typist.processId()), "typist",
            "mousemove", "--window", "%1", "20", "20", "windowfocus", "%1" });
        ASSERT_TRUE(waitFor([&] { return services.windows->hasFocus(typist.processId()); }, 5000));
    }

    QString line(int timeoutMs = 10000)
    {
        if (!waitFor([&] { return typist.canReadLine(); }, timeoutMs))
            return QStringLiteral("(nothing)");
        return QString::fromUtf8(typist.readLine()).chopped(1);
    }

    bool run(const QString &macro)
    {
        DesktopMacroExecutor executor(*services.input, *services.windows, messenger, QtEventPump::instance(),
            { [&] { services.windows->requestClose(typist.processId()); }, [] { return false; } });
        return MacroRunner(executor).run(macro::compile(macro));
    }

    std::unique_ptr<X11Desktop> desktop;
    DesktopServices services;
    RecordingMessenger messenger;
    QProcess typist;
};

// Macros typed through XTest arrive as written: Shift where the layout needs
// it, Caps Lock or not, characters the layout lacks included, the clipboard,
// and SCLOSE closes the program politely.
TEST_F(X11DesktopTest, MacrosTypeIntoAnotherProgram)
{
    startTypist();
    const std::pair<const char *, const char *> cases[] = {
        { "Hello,SPC,World!,ENT", "Hello World!" },
        { "a1!@#~,ENT", "a1!@#~" },
        { "日本語のテキスト,ENT", "日本語のテキスト" },
        { "ｶﾀｶﾅとcafé,ENT", "ｶﾀｶﾅとcafé" },
        { "CPY(コピー),PST,ENT", "コピー" },
        { "abc,BCK,LFT,X,ENT", "aXb" },
    };
    for (const auto &[macro, received] : cases) {
        ASSERT_TRUE(run(QString::fromUtf8(macro)));
        EXPECT_EQ(line().toStdString(), received) << macro;
    }

    // Caps Lock on: the same text still comes out as written.
    xdotool({ "key", "Caps_Lock" });
    ASSERT_TRUE(waitFor([&] { return services.input->capsLockOn(); }, 5000));
    ASSERT_TRUE(run(QStringLiteral("Hello,ENT")));
    EXPECT_EQ(line(), "Hello");
    xdotool({ "key", "Caps_Lock" });
    EXPECT_FALSE(services.input->held(vk::Control));

    ASSERT_TRUE(run(QStringLiteral("SCLOSE")));
    EXPECT_EQ(line(), "closed");
    EXPECT_TRUE(waitFor([&] { return typist.state() == QProcess::NotRunning; }, 10000));
    EXPECT_TRUE(messenger.messages.isEmpty()) << messenger.messages.join(u'\n').toStdString();
}

// A global hot key: grabbed with its lock variants, pressed through XTest;
// a combination another program holds is refused with a reason.
TEST_F(X11DesktopTest, HotKeysComeFromAnyWindowAndTakenOnesAreRefused)
{
    GlobalHotKeys &keys = *services.hotKeys;
    QList<int> pressed;
    keys.setHandler([&](int id) { pressed << id; });
    ASSERT_EQ(keys.grab(3069, GlobalHotKeys::Ctrl | GlobalHotKeys::Alt, 'E'), QString());
    xdotool({ "key", "ctrl+alt+e" });
    ASSERT_TRUE(waitFor([&] { return !pressed.isEmpty(); }, 5000));
    EXPECT_EQ(pressed, QList<int> { 3069 });
    xdotool({ "key", "Caps_Lock", "ctrl+alt+e", "Caps_Lock" });
    ASSERT_TRUE(waitFor([&] { return pressed.size() == 2; }, 5000)) << "not with Caps Lock on";

    {
        OtherXClient other(x11Display());
        ASSERT_TRUE(other.connected());
        other.grabCtrlAlt('t');
        EXPECT_FALSE(keys.grab(4084, GlobalHotKeys::Ctrl | GlobalHotKeys::Alt, 'T').isEmpty());
    }
    EXPECT_EQ(keys.grab(4084, GlobalHotKeys::Ctrl | GlobalHotKeys::Alt, 'T'), QString());

    keys.release(3069);
    xdotool({ "key", "ctrl+alt+e" });
    pumpFor(300);
    EXPECT_EQ(pressed.size(), 2);
    keys.setHandler({});
}

} // namespace vesk::test
