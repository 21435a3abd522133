#include "app/ResidentProgram.h"

#include "app/Controller.h"
#include "app/EngineSettings.h"
#include "app/FrontEnd.h"
#include "app/PortErrorText.h"
#include "app/ProviderSessionLink.h"
#include "auth/ProviderTokens.h"
#include "dialup/ConnectionControl.h"
#include "dialup/SelectorLibrary.h"
#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "plan/PlanController.h"
#include "platform/Clock.h"
#include "platform/CommandRunner.h"
#include "platform/EventPump.h"
#include "platform/GlobalAtoms.h"
#include "platform/Messenger.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "platform/Timer.h"
#include "platform/WallClockWatch.h"
#include "server/LocalMailServer.h"
#include "session/ProviderSession.h"
#include "settings/IniSettingsStore.h"
#include "settings/PasswordCodec.h"
#include "settings/SettingsTable.h"
#include "store/MessageStore.h"
#include "store/rules/Distributor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace vesk {
namespace {

const QString ProgramName = QStringLiteral("vesk");

void printErr(const QString &text)
{
    std::fprintf(stderr, "vesk: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

QStringList statusLines(const Controller::Status &s, const LocalMailServer &servers)
{
    QStringList closed;
    for (const quint16 port : servers.unopenedPorts())
        closed << QString::number(port);
    return {
        QStringLiteral("display: ") + s.display,
        QStringLiteral("marker: ") + s.marker,
        QStringLiteral("newmail: %1").arg(s.newMail),
        QStringLiteral("InBox: %1").arg(s.inBox),
        QStringLiteral("InBox1: %1").arg(s.inBox1),
        QStringLiteral("InBox2: %1").arg(s.inBox2),
        QStringLiteral("OutBox: %1").arg(s.outBox),
        QStringLiteral("unsendable: %1").arg(s.unsendable),
        QStringLiteral("kept: %1").arg(s.kept),
        QStringLiteral("closedports: ") + closed.join(u' '),
    };
}

} // namespace

int ResidentProgram::run(FrontEnd *frontEnd, const DialUpParts &dialUp, SecretStore *secrets)
{
    SingleInstance instance(paths::runtimeDir());
    QString error;
    if (!instance.acquire(&error)) {
        if (!error.isEmpty()) {
            printErr(error);
            return 1;
        }
        // The running copy is told about the start, as a window would be
        // brought to the front, and says which process it is: in a journal
        // the line must show why this start ended.
        QStringList reply;
        instance.request(QStringLiteral("activate"), &reply, 5000);
        QString running;
        for (const QString &line : reply) {
            if (line.startsWith(QLatin1String("pid: ")))
                running = QStringLiteral("（プロセスID %1）").arg(line.mid(5).toLongLong());
        }
        printErr(QStringLiteral("Veskは既に実行中です%1。一人に一つしか動かないため、この起動は終了します。").arg(running));
        return 1;
    }
    if (!error.isEmpty())
        printErr(error);

    // The data folder is the program's folder: everything is relative to it.
    const QString dataDir = paths::dataDir();
    if (!QDir().mkpath(dataDir) || !QDir::setCurrent(dataDir)) {
        printErr(QStringLiteral("データフォルダを作成出来ません: ") + dataDir);
        return 1;
    }

    StderrMessenger stderrMessenger;
    Messenger &messenger = frontEnd ? frontEnd->messenger() : stderrMessenger;
    IniSettingsStore settingsStore(paths::settingsFile());
    settingsStore.setSecrets(secrets);
    MessageStore store(dataDir);
    FileAtoms atoms(paths::runtimeDir());
    SessionState session;
    ProtocolMonitor monitor;
    const CoreServices core { SystemClock::instance(), QtTimerFactory::instance(), QtEventPump::instance(), messenger,
        store, session, monitor };
    // Outlives the controller, which may still ask it while closing.
    SelectorLibrary selector(dataDir + QStringLiteral("/SelAp.so"));
    Controller controller(core, settingsStore, atoms, ProgramName);

    ProviderSession provider(core, controller.mailHost(), controller.mailView());
    LocalMailServer servers(core, controller.mailHost(), controller.mailView());
    servers.setListenErrorHandler([&messenger](quint16 port, const QString &text, const QString &holder) {
        // A mailer pointed at a port someone else holds would give that program its login.
        messenger.error(portErrorText(port, text,
            holder.isEmpty() ? QString()
                             : QStringLiteral("このポートは他のユーザー %1 が使用中です。"
                                              "ポートが空くまで、このポートを使うメーラーは使わないでください。")
                                   .arg(holder)));
    });
    Distributor distributor(store);
    QtCommandRunner commandRunner;
    ProviderTokens tokens(SystemClock::instance(), QtTimerFactory::instance(), QtEventPump::instance(), commandRunner);
    // A refresh token the provider issues replaces the stored one at once:
    // the old one may already be void.
    tokens.setRefreshTokenSaver([&settingsStore](const QString &refreshToken) {
        SettingsTable::setValue(settingsStore, &Settings::OAuth_RefreshToken, PasswordCodec::encode(refreshToken));
    });
    provider.setTokenSource(&tokens);

    ProviderSessionLink providerLink(provider);
    LocalServersLink serversLink(servers);
    controller.setDialUp(dialUp.backend, dialUp.powerOff);
    controller.dialUp().setSelector(&selector);
    controller.setProvider(&providerLink);
    controller.setLocalServers(&serversLink);
    controller.setDistributor([&distributor](const QString &fileName) {
        const Box box = distributor.DevideGo(fileName);
        return std::pair { box, distributor.lastFileName() };
    });
    QObject::connect(&controller, &Controller::settingsChanged, [&](const Settings &settings) {
        provider.setConfig(sessionConfigFrom(settings));
        tokens.configure(tokenConfigFrom(settings));
        servers.setConfig(serverConfigFrom(settings));
        distributor.setRules(RuleLists(settings.DevideList));
        // Without windows the monitor's lines go to standard error while it
        // is switched on.
        if (frontEnd)
            return;
        if (settings.DebugWindow)
            monitor.attach([](const QString &line) {
                std::fprintf(stderr, "%s\n", line.toUtf8().constData());
                std::fflush(stderr);
            });
        else
            monitor.attach({});
    });
    // The settings dialog's connection test tries an account not yet saved.
    QObject::connect(&controller, &Controller::providerSettingsChanged,
        [&](const Settings &settings) { provider.setConfig(sessionConfigFrom(settings)); });
    QObject::connect(&controller, &Controller::finished, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    WallClockWatch wallClock;
    QObject::connect(&wallClock, &WallClockWatch::changed, &controller, &Controller::wallClockChanged);
    // Without windows a reminder of the start-up pass is a message.
    if (!frontEnd) {
        QObject::connect(&controller.planner(), &PlanHost::reminderRequested,
            [&messenger](const QString &message, const QString &dateTime, const QString &comment, int) {
                messenger.message(message + QStringLiteral(" ") + dateTime + QStringLiteral(" ") + comment);
            });
    }

    instance.setHandler([&controller, &servers, frontEnd](const QString &command, const SingleInstance::Reply &reply) {
        // Run the request from the event loop, not inside the socket handler.
        QTimer::singleShot(0, qApp, [&controller, &servers, frontEnd, command, reply] {
            if (command == QLatin1String("status")) {
                for (const QString &line : statusLines(controller.status(), servers))
                    reply(line, false);
                reply(QStringLiteral("@ok"), true);
            } else if (command == QLatin1String("check")) {
                const QString refusal = controller.checkRefusal();
                if (!refusal.isEmpty() || !controller.checkNow()) {
                    reply(QStringLiteral("@fail ") + refusal, true);
                    return;
                }
                for (const QString &line : statusLines(controller.status(), servers))
                    reply(line, false);
                const Controller::Status status = controller.status();
                if (!status.marker.trimmed().isEmpty())
                    reply(QStringLiteral("@fail ConnectNG"), true);
                else if (status.unsendable > 0)
                    reply(QStringLiteral("@fail 送信できないメールが［送］に %1 通残っています").arg(status.unsendable),
                        true);
                else
                    reply(QStringLiteral("@ok"), true);
            } else if (command == QLatin1String("quit")) {
                reply(QStringLiteral("@ok"), true);
                controller.quit();
            } else if (command == QLatin1String("activate")) {
                reply(QStringLiteral("pid: %1").arg(QCoreApplication::applicationPid()), false);
                reply(QStringLiteral("@ok"), true);
                if (frontEnd)
                    frontEnd->activate();
            } else {
                reply(QStringLiteral("@fail unknown request"), true);
            }
        });
    });

    TerminationSignals termination([&controller](int) {
        if (!controller.closeRequested())
            controller.quit();
    });

    if (frontEnd) {
        frontEnd->attach({ controller, monitor, settingsStore, store, SystemClock::instance(), dataDir, &tokens });
    }
    controller.start();
    return QCoreApplication::exec();
}

int ResidentProgram::request(const QString &command)
{
    const QString folder = paths::runtimeDir();
    QString unsafe;
    if (QFileInfo(folder).exists() || QFileInfo(folder).isSymLink()) {
        if (!PrivateFolder::check(folder, &unsafe)) {
            printErr(unsafe);
            return 1;
        }
    }
    SingleInstance instance(folder);
    QStringList reply;
    if (!instance.request(command, &reply)) {
        printErr(QStringLiteral("実行中のVeskがありません。"));
        return 1;
    }
    QTextStream out(stdout);
    int status = 1;
    for (const QString &line : reply) {
        if (line == QLatin1String("@ok")) {
            status = 0;
        } else if (line.startsWith(QLatin1String("@fail"))) {
            printErr(line.mid(6));
            status = 1;
        } else {
            out << line << '\n';
        }
    }
    return status;
}

} // namespace vesk
