#include "VeskVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vesk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VESK_PRODUCT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vesk: 常駐メールチェッカー（内蔵メールサーバ付き）"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
    return 0;
}
