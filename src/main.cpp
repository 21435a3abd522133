#include "VeskVersion.h"

#include "app/ResidentProgram.h"
#include "boxes/BoxListCommand.h"
#include "dialup/dbus/LogindPowerOff.h"
#include "dialup/dbus/NetworkManagerBackend.h"
#include "platform/EventPump.h"
#include "platform/Paths.h"
#include "platform/secret/LibsecretStore.h"

#ifdef VESK_WITH_WINDOWS
#include "app/gui/GuiFrontEnd.h"

#include <QApplication>
#endif

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <memory>

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Vesk: 常駐メールチェッカー（内蔵メールサーバ付き）\n"
        "オプションなしで常駐します。実行中のVeskへの依頼は --check, --quit, --status で行います。"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        { QStringLiteral("headless"), QStringLiteral("ウィンドウを出さずに常駐します（メッセージは標準エラーに1行ずつ）") },
        { QStringLiteral("check"), QStringLiteral("実行中のVeskに「接-ﾁｪｯｸ-送-断(&C)」を依頼し、結果を待ちます") },
        { QStringLiteral("quit"), QStringLiteral("実行中のVeskを終了させます（未送信メールは次回に送信）") },
        { QStringLiteral("status"), QStringLiteral("実行中のVeskの表示・状態マーク・新着数・各箱の通数を表示します") },
        { QStringLiteral("list"),
            QStringLiteral("箱の一覧を表示して終わります（1行に1通、ID・相手・自分・類・件名をタブ区切りで）") },
    });
    parser.addPositionalArgument(QStringLiteral("BOX"),
        QStringLiteral("--list で表示する箱: InBox, InBox1, InBox2, OutBox（省略すると全部）"), QStringLiteral("[BOX]"));
}

#ifdef VESK_WITH_WINDOWS
// Windows need a display. Under Wayland the X11 layer (XWayland) is taken
// where there is one, since only X11 keeps the strip on top and in place.
bool prepareDisplay(QTextStream &err)
{
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    if (x11) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }
    if (wayland) {
        err << QStringLiteral("vesk: X11 がないため、常に手前の表示と表示位置の指定は使えません。") << '\n';
        return true;
    }
    err << QStringLiteral("vesk: 画面がないため、ウィンドウなしで常駐します。") << '\n';
    return false;
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    // A mailer that hangs up while we write must not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    parser.parse(arguments);
    const bool request = parser.isSet(QStringLiteral("check")) || parser.isSet(QStringLiteral("quit"))
        || parser.isSet(QStringLiteral("status")) || parser.isSet(QStringLiteral("list"));
    QTextStream err(stderr);

    std::unique_ptr<QCoreApplication> app;
    bool windows = false;
#ifdef VESK_WITH_WINDOWS
    if (!request && !parser.isSet(QStringLiteral("headless")) && !parser.isSet(QStringLiteral("help"))
        && !parser.isSet(QStringLiteral("version")) && prepareDisplay(err)) {
        app = std::make_unique<QApplication>(argc, argv);
        // Desktops find the menu entry (its icon, its name) by this id.
        QGuiApplication::setDesktopFileName(QStringLiteral("jp.example.dorvane.vesk"));
        windows = true;
    }
#endif
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vesk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESK_PRODUCT_VERSION));
    parser.process(*app);

    QTextStream out(stdout);
    const int requests = int(parser.isSet(QStringLiteral("check"))) + int(parser.isSet(QStringLiteral("quit")))
        + int(parser.isSet(QStringLiteral("status"))) + int(parser.isSet(QStringLiteral("list")));
    if (requests > 1 || (requests == 1 && parser.isSet(QStringLiteral("headless")))) {
        err << QStringLiteral("vesk: --check, --quit, --status, --list, --headless は一つだけ指定してください") << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("list")))
        return vesk::runListCommand(vesk::paths::dataDir(), parser.positionalArguments(), out, err);
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("vesk: BOX は --list と一緒に指定してください") << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("check")))
        return vesk::ResidentProgram::request(QStringLiteral("check"));
    if (parser.isSet(QStringLiteral("quit")))
        return vesk::ResidentProgram::request(QStringLiteral("quit"));
    if (parser.isSet(QStringLiteral("status")))
        return vesk::ResidentProgram::request(QStringLiteral("status"));
    // Dial-up and power off: NetworkManager and logind on the system bus.
    vesk::NetworkManagerBackend networkManager(vesk::QtEventPump::instance());
    vesk::LogindPowerOff logind(vesk::QtEventPump::instance());
    const vesk::DialUpParts dialUp { &networkManager, &logind };
    // The passwords in the desktop's keyring where one answers.
    vesk::LibsecretStore keyring;
#ifdef VESK_WITH_WINDOWS
    if (windows) {
        vesk::GuiFrontEnd frontEnd;
        return vesk::ResidentProgram::run(&frontEnd, dialUp, &keyring);
    }
#endif
    Q_UNUSED(windows);
    return vesk::ResidentProgram::run(nullptr, dialUp, &keyring);
}
