#include "../VeskProcess.h"

#include "support/FreePort.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace vesk::test {

// Vesk on an X server with a window manager, starting a stand-in mailer
// (typist, which writes each line typed into it to a file) as a person
// would: the start password typed on the strip, a launcher entry's global
// hot key; each program then gets its macro, and the end closes them.
class LauncherEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        if (!x.start(false, &error))
            GTEST_SKIP() << error.toStdString();
        if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
            GTEST_SKIP() << "openbox is not installed";
        ASSERT_TRUE(startManager()) << "openbox did not start managing windows: " << manager->state() << " "
                                    << fileText(home.configDir() + "/../openbox.log").toStdString();
        const QString typist = QStringLiteral(VESK_TEST_TYPIST);
        mailerOut = home.configDir() + "/../mailer.txt";
        toolOut = home.configDir() + "/../tool.txt";
        home.writeIni(QStringLiteral(
            "[Config]\nMailRound=1\nServerON=1\nHost=127.0.0.1\nUserID=taro\nFirstDelay=600\n"
            "POP3_VeskMailer1=%1\nSMTP_VeskMailer1=%2\nWithClose=1\nMailPassword=ab\n"
            "Mailer=%3\nMailerSw=--out %4\nMacro=メール確認,ENT\nMacroSend=1\n"
            "[Luncher]\n00=ツール,%3,\"--out %5\",\" \",\"CTL+a,DEL,ランチャー,ENT\",\" \",Ctrl+Alt+L\n")
                          .arg(freePort())
                          .arg(freePort())
                          .arg(typist, mailerOut, toolOut));
    }

    void TearDown() override
    {
        for (QProcess *p : { vesk.get(), manager.get() }) {
            if (p && p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }

    bool startManager()
    {
        QDir().mkpath(home.configDir());
        manager = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", x.display());
        manager->setProcessEnvironment(env);
        manager->setStandardOutputFile(QProcess::nullDevice());
        manager->setStandardErrorFile(home.configDir() + "/../openbox.log");
        manager->start("openbox", { "--sm-disable" });
        // Managing once it has said so on the root window.
        return manager->waitForStarted(5000)
            && waitFor(
                [&] {
                    return x.run("xprop", { "-root", "_NET_SUPPORTING_WM_CHECK" }).contains("window id");
                },
                30000);
    }
    static QString fileText(const QString &path) { return QString::fromUtf8(fileBytes(path, {})); }
    static QStringList lines(const QString &path) { return fileText(path).split(u'\n', Qt::SkipEmptyParts); }
    QString focusName() const { return x.run("xdotool", { "getwindowfocus", "getwindowname" }).trimmed(); }

    XvfbSession x;
    VeskHome home;
    QString mailerOut;
    QString toolOut;
    std::unique_ptr<QProcess> manager;
    std::unique_ptr<QProcess> vesk;
};

TEST_F(LauncherEndToEnd, StartPasswordAndHotKeyStartProgramsThatGetTheirMacros)
{
    vesk = home.start({}, x.display());
    ASSERT_FALSE(x.waitForWindow("Vesk", 20000).isEmpty());
    const auto corner = [&] { return x.window("Vesk").topLeft() + QPoint(5, 5); };

    // "x", "a", "b" on the strip: the password's two characters start the mailer.
    // A click gives the strip the keyboard (again, should the first come
    // before the window manager has placed it).
    ASSERT_TRUE(waitFor(
        [&] {
            x.click(corner());
            return waitFor([&] { return focusName() == "Vesk"; }, 1000);
        },
        15000))
        << focusName().toStdString();
    x.xdotool({ "key", "--delay", "100", "x", "a", "b" });
    ASSERT_TRUE(waitFor([&] { return lines(mailerOut).contains("メール確認"); }, 30000))
        << lines(mailerOut).join(u'|').toStdString() << home.log().toStdString();

    // The hot key from whatever has the focus; the macro waits for Ctrl and
    // Alt to be let go, selects all, deletes and types.
    x.xdotool({ "key", "ctrl+alt+l" });
    ASSERT_TRUE(waitFor([&] { return lines(toolOut).contains("ランチャー"); }, 30000))
        << lines(toolOut).join(u'|').toStdString() << home.log().toStdString();

    // The menu with the launcher's entries, for a person to look at.
    x.click(corner(), {}, 3);
    pumpFor(500);
    x.xdotool({ "key", "l" });
    pumpFor(500);
    EXPECT_TRUE(x.shoot("desktop-launcher-menu.png", QRect(0, 0, 520, 560)));
    x.xdotool({ "key", "Escape", "Escape" });

    // The end asks both programs to close (WithClose).
    EXPECT_EQ(home.run({ "--quit" }), 0);
    ASSERT_TRUE(waitFor([&] { return vesk->state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(vesk->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(vesk->exitCode(), 0);
    EXPECT_TRUE(waitFor(
        [&] { return lines(mailerOut).contains("closed") && lines(toolOut).contains("closed"); }, 10000))
        << lines(mailerOut).join(u'|').toStdString() << " / " << lines(toolOut).join(u'|').toStdString();
}

} // namespace vesk::test
