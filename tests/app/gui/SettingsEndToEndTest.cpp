#include "../VeskProcess.h"
#include "support/DovecotPeer.h"
#include "support/FreePort.h"
#include "support/WaitFor.h"
#include "support/XvfbSession.h"

#include <QTcpSocket>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// A new user sets Vesk up from the settings dialog alone, as a person does
// it on an X server: the dialog opens by itself, the account and the ports
// are typed in, and once it is saved the next check and the mailer's port
// work without a restart.
class SettingsEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        if (!x.start(false, &error))
            GTEST_SKIP() << error.toStdString();
        ASSERT_TRUE(pop.start(&error)) << error.toStdString();
    }

    void TearDown() override
    {
        if (vesk && vesk->state() != QProcess::NotRunning) {
            vesk->kill();
            vesk->waitForFinished(5000);
        }
    }

    // Keys one after the other, separated by blanks.
    bool key(const QString &keys) const
    {
        return x.xdotool(QStringList { "key", "--delay", "30" } + keys.split(u' '));
    }
    bool type(const QString &text) const { return x.xdotool({ "type", "--delay", "30", text }); }
    // A click at a point of a window (its own coordinates).
    bool click(const QRect &window, int x0, int y0) const
    {
        return x.click(window.topLeft() + QPoint(x0, y0));
    }
    // Replaces the text of the field that has the focus.
    bool retype(const QString &text) const { return key("ctrl+a") && type(text); }
    // A window's place once it has stopped moving (it is placed after it maps).
    QRect settled(const QString &title) const
    {
        QRect last;
        for (int i = 0; i < 50; ++i) {
            pumpFor(200);
            const QRect now = x.window(title);
            if (!now.isEmpty() && now == last)
                return now;
            last = now;
        }
        return {};
    }

    static bool serves(quint16 port)
    {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!socket.waitForConnected(3000))
            return false;
        return waitFor([&] { return socket.canReadLine(); }, 5000) && socket.readLine().startsWith("+OK");
    }

    XvfbSession x;
    DovecotPeer pop;
    VeskHome home;
    std::unique_ptr<QProcess> vesk;
};

TEST_F(SettingsEndToEnd, ANewUserSetsUpEverythingFromTheDialog)
{
    ASSERT_TRUE(pop.addMessage("From: Hanako <hanako@example.jp>\r\nSubject: first\r\n\r\nbody\r\n"));
    const quint16 mailerPop = freePort();
    const quint16 mailerSmtp = freePort();

    vesk = home.start({}, x.display());

    // Nothing is set up: the dialog opens at the first tick.
    const QString title = "Vesk各種設定";
    ASSERT_FALSE(x.waitForWindow(title, 20000).isEmpty()) << "no settings dialog";
    QRect dialog = settled(title);
    EXPECT_TRUE(x.shoot("settings-xvfb-fresh.png", dialog));

    // The page's blank lower part takes the click; the focus stays on the
    // first box, "メールチェックを行う", shown unticked while nothing is stored.
    ASSERT_TRUE(click(dialog, dialog.width() / 2, dialog.height() - 80));
    ASSERT_TRUE(key("space"));
    ASSERT_TRUE(key("Tab") && type("127.0.0.1"));
    ASSERT_TRUE(key("Tab Tab") && type(pop.user()));
    ASSERT_TRUE(key("Tab") && type(pop.password()));
    // The SMTP server stays empty (the POP3 server's host). Past the check
    // fields to "メールサーバ機能を使う".
    ASSERT_TRUE(key("Tab Tab Tab Tab Tab Tab Tab Tab space"));

    // "高度な設定(&P)": the provider's port and the mailer's ports.
    const QString portsTitle = "高度な設定（ポート番号）";
    ASSERT_TRUE(key("alt+p"));
    ASSERT_FALSE(x.waitForWindow(portsTitle, 10000).isEmpty());
    const QRect ports = settled(portsTitle);
    ASSERT_TRUE(click(ports, ports.width() - 60, 50)); // the first field
    ASSERT_TRUE(key("Tab") && retype(QString::number(mailerSmtp)));
    ASSERT_TRUE(key("Tab Tab") && retype(QString::number(pop.port())));
    ASSERT_TRUE(key("Tab") && retype(QString::number(mailerPop)));
    EXPECT_TRUE(x.shoot("settings-xvfb-ports.png", ports));
    ASSERT_TRUE(key("Return"));
    ASSERT_TRUE(waitFor([&] { return x.window(portsTitle).isEmpty(); }, 10000));

    // Back on the dialog: "保存終了".
    dialog = settled(title);
    EXPECT_TRUE(x.shoot("settings-xvfb-filled.png", dialog));
    ASSERT_TRUE(click(dialog, dialog.width() - 138, dialog.height() - 22));
    ASSERT_TRUE(waitFor([&] { return x.window(title).isEmpty(); }, 10000)) << "the dialog stayed open";

    // No restart: the mailer's port is served and the check uses the account.
    EXPECT_TRUE(waitFor([&] { return serves(mailerPop); }, 10000));
    QString out;
    EXPECT_EQ(home.run({ "--check" }, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("InBox: 1")) << out.toStdString();
    EXPECT_EQ(pop.messageCount(), 0);

    EXPECT_EQ(home.run({ "--quit" }), 0);
}

} // namespace
} // namespace vesk::test
