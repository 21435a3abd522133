// Runs one download session of the provider session against a POP3 server
// and prints what it took, for bench/download_vs_fetchmail.py and
// bench/tls_vs_plain.py:
//   provider_download_bench HOST PORT USER PASSWORD DATADIR RETRPAUSEMS SAVEDPAUSEMS [SECURITY [CAFILE]]
// SECURITY: 0 plain (the default), 1 STLS, 2 POP3S; CAFILE: an authority
// trusted besides the system's. With VESK_BENCH_LEAVE=1 in the environment
// the session leaves the mail at the server, as LeaveOnServer=1 does.
// Output: one line "messages=N bytes=B seconds=S marker=M".

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "session/ProviderSession.h"
#include "store/MessageStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 8 || args.size() > 10) {
        std::fprintf(stderr,
            "usage: %s HOST PORT USER PASSWORD DATADIR RETRPAUSEMS SAVEDPAUSEMS [SECURITY [CAFILE]]\n", argv[0]);
        return 2;
    }
    vesk::StderrMessenger messenger;
    vesk::MessageStore store(args[5]);
    store.createFolders(messenger);
    vesk::SessionState state;
    vesk::MailHost host;
    vesk::MailView view;
    vesk::ProtocolMonitor monitor;
    const vesk::CoreServices core { vesk::SystemClock::instance(), vesk::QtTimerFactory::instance(),
        vesk::QtEventPump::instance(), messenger, store, state, monitor };
    vesk::ProviderSession session(core, host, view);
    vesk::SessionConfig config;
    config.Host = args[1];
    config.SMTP = args[1];
    config.POP3_ServerVesk = args[2].toInt();
    config.UserID = args[3];
    config.Password = args[4];
    config.ServerON = true;
    config.RetrPauseMs = args[6].toInt();
    config.SavedPauseMs = args[7].toInt();
    config.POP3_Security = vesk::securityFrom(args.value(8).toInt());
    config.TlsCaFile = args.value(9);
    config.LeaveOnServer = qEnvironmentVariableIntValue("VESK_BENCH_LEAVE") == 1;
    session.setConfig(config);

    QElapsedTimer timer;
    timer.start();
    const int count = session.downLoad();
    const double seconds = timer.nsecsElapsed() / 1e9;
    qint64 bytes = 0;
    for (const QString &name : store.listing(vesk::Box::InBox))
        bytes += store.read(vesk::Box::InBox, name).size();
    std::printf("messages=%d bytes=%lld seconds=%.6f marker=%s\n", count, static_cast<long long>(bytes),
        seconds, qPrintable(state.marker.isEmpty() ? QStringLiteral("ok") : state.marker));
    return state.failed() ? 1 : 0;
}
