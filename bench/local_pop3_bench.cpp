// Runs Vesk's local POP3/SMTP servers of mailer 1 on a prepared data folder
// until standard input closes, for the retrieval benchmark script
// (bench/local_pop3_vs_dovecot.py) and for trying mail clients by hand.
//
//   local_pop3_bench --dir DATA [--pop3-port N] [--smtp-port N] [--pause-ms MS]
//                    [--user NAME] [--password PW]
//
// Prints "READY <pop3 port> <smtp port>" once listening.

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "server/LocalMailServer.h"
#include "store/MessageStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption dirOption("dir", "data folder", "path");
    const QCommandLineOption popOption("pop3-port", "POP3 port (0: any)", "port", "0");
    const QCommandLineOption smtpOption("smtp-port", "SMTP port (0: any)", "port", "0");
    const QCommandLineOption pauseOption("pause-ms", "pause before each TOP/RETR lookup", "ms", "100");
    const QCommandLineOption userOption("user", "account name", "name", "taro");
    const QCommandLineOption passwordOption("password", "password", "text", "pa55word");
    parser.addOptions({ dirOption, popOption, smtpOption, pauseOption, userOption, passwordOption });
    parser.process(app);
    if (!parser.isSet(dirOption)) {
        std::fprintf(stderr, "--dir is required\n");
        return 2;
    }

    vesk::StderrMessenger messenger;
    vesk::MessageStore store(parser.value(dirOption));
    store.createFolders(messenger);
    vesk::SessionState state;
    vesk::MailHost host;
    vesk::MailView view;
    vesk::ProtocolMonitor monitor;
    vesk::ServerConfig config;
    config.UserID = parser.value(userOption);
    config.Password = parser.value(passwordOption);
    config.POP3_VeskMailer1 = parser.value(popOption).toInt();
    config.SMTP_VeskMailer1 = parser.value(smtpOption).toInt();
    config.lookupPauseMs = parser.value(pauseOption).toInt();
    config.ManuSend = true; // nothing to send anywhere

    const vesk::CoreServices core { vesk::SystemClock::instance(), vesk::QtTimerFactory::instance(),
        vesk::QtEventPump::instance(), messenger, store, state, monitor };
    vesk::LocalMailServer server(core, host, view);
    int failures = 0;
    server.setListenErrorHandler([&failures](quint16 port, const QString &text, const QString &) {
        std::fprintf(stderr, "port %u: %s\n", port, qPrintable(text));
        ++failures;
    });
    server.setConfig(config);
    server.startMailer1();
    if (failures)
        return 1;
    std::printf("READY %u %u\n", server.listeningPort(vesk::MailerPort::Pop3Mailer1),
        server.listeningPort(vesk::MailerPort::SmtpMailer1));
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    return app.exec();
}
