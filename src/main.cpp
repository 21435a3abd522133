#include "VeskVersion.h"
#include "platform/Paths.h"
#include "store/japanese/BoxListCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vesk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESK_PRODUCT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vesk: 常駐メールチェッカー（内蔵メールサーバ付き）"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption listOption(QStringLiteral("list"),
        QStringLiteral("箱の一覧を表示して終わります（1行に1通、ID・相手・自分・類・件名をタブ区切りで）"));
    parser.addOption(listOption);
    parser.addPositionalArgument(QStringLiteral("BOX"),
        QStringLiteral("--list で表示する箱: InBox, InBox1, InBox2, OutBox（省略すると全部）"),
        QStringLiteral("[BOX]"));
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (parser.isSet(listOption))
        return vesk::runListCommand(vesk::paths::dataDir(), parser.positionalArguments(), out, err);
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("BOX は --list と一緒に指定してください") << '\n';
        return 2;
    }
    return 0;
}
