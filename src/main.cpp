#include "VeskVersion.h"

#include "app/ResidentProgram.h"
#include "boxes/BoxListCommand.h"
#include "platform/Paths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

int main(int argc, char *argv[])
{
    // A mailer that hangs up while we write must not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vesk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESK_PRODUCT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Vesk: 常駐メールチェッカー（内蔵メールサーバ付き）\n"
        "オプションなしで常駐します。実行中のVeskへの依頼は --check, --quit, --status で行います。"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption headlessOption(QStringLiteral("headless"),
        QStringLiteral("ウィンドウを出さずに常駐します（メッセージは標準エラーに1行ずつ）"));
    const QCommandLineOption checkOption(QStringLiteral("check"),
        QStringLiteral("実行中のVeskに「接-ﾁｪｯｸ-送-断(&C)」を依頼し、結果を待ちます"));
    const QCommandLineOption quitOption(QStringLiteral("quit"),
        QStringLiteral("実行中のVeskを終了させます（未送信メールは次回に送信）"));
    const QCommandLineOption statusOption(QStringLiteral("status"),
        QStringLiteral("実行中のVeskの表示・状態マーク・新着数・各箱の通数を表示します"));
    const QCommandLineOption listOption(QStringLiteral("list"),
        QStringLiteral("箱の一覧を表示して終わります（1行に1通、ID・相手・自分・類・件名をタブ区切りで）"));
    parser.addOptions({headlessOption, checkOption, quitOption, statusOption, listOption});
    parser.addPositionalArgument(QStringLiteral("BOX"),
        QStringLiteral("--list で表示する箱: InBox, InBox1, InBox2, OutBox（省略すると全部）"),
        QStringLiteral("[BOX]"));
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const int requests = int(parser.isSet(checkOption)) + int(parser.isSet(quitOption))
                         + int(parser.isSet(statusOption)) + int(parser.isSet(listOption));
    if (requests > 1 || (requests == 1 && parser.isSet(headlessOption))) {
        err << QStringLiteral("vesk: --check, --quit, --status, --list, --headless は一つだけ指定してください") << '\n';
        return 2;
    }
    if (parser.isSet(listOption))
        return vesk::runListCommand(vesk::paths::dataDir(), parser.positionalArguments(), out, err);
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("vesk: BOX は --list と一緒に指定してください") << '\n';
        return 2;
    }
    if (parser.isSet(checkOption))
        return vesk::ResidentProgram::request(QStringLiteral("check"));
    if (parser.isSet(quitOption))
        return vesk::ResidentProgram::request(QStringLiteral("quit"));
    if (parser.isSet(statusOption))
        return vesk::ResidentProgram::request(QStringLiteral("status"));

    // Without windows yet, the resident program runs headless either way.
    vesk::ResidentProgram::Options options;
    options.headless = true;
    return vesk::ResidentProgram::run(options);
}
