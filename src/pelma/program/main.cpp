// pelma: the sticky notes beside Vesk. One copy per user; a later start
// hands its command to the running copy and ends.
#include "pelma/NoteBook.h"
#include "pelma/NotePlaces.h"
#include "pelma/PelmaCommand.h"
#include "pelma/gui/PelmaProgram.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "settings/IniSettingsStore.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

void printErr(const QString &text)
{
    std::fprintf(stderr, "pelma: %s\n", text.toUtf8().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace vesk;
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (argc > 2 || pelma::parse(command) == pelma::Command::Unknown) {
        printErr(QStringLiteral("使い方: pelma [/PelmaAdd | /PelmaMain | /PelmaWrite | /PelmaPaperHide]"));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pelma"));
    QApplication::setQuitOnLastWindowClosed(false);

    const NotePlaces places = NotePlaces::standard();
    QString error;
    if (!PrivateFolder::ensure(paths::runtimeDir(), &error)
        || !PrivateFolder::ensure(places.socketFolder, &error)) {
        printErr(error);
        return 1;
    }
    SingleInstance instance(places.socketFolder);
    if (!instance.acquire(&error)) {
        if (!error.isEmpty()) {
            printErr(error);
            return 1;
        }
        QStringList reply;
        if (!instance.request(command.isEmpty() ? pelma::Main : command, &reply, 10000)) {
            printErr(QStringLiteral("実行中のpelmaが応答しません。"));
            return 1;
        }
        return reply.contains(pelma::Ok) ? 0 : 1;
    }
    if (!error.isEmpty())
        printErr(error);
    if (!PrivateFolder::ensure(places.notes, &error)) {
        printErr(error);
        return 1;
    }

    IniSettingsStore settings(paths::settingsFile());
    NoteBook book(places.notes);
    PelmaProgram program(book, settings);
    QObject::connect(
        &program, &PelmaProgram::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // The argument first: a command over the socket waits until it is done.
    program.run(pelma::parse(command));

    instance.setHandler([&program](const QString &text, const SingleInstance::Reply &reply) {
        QTimer::singleShot(0, &program, [&program, text, reply] {
            const QStringList lines = program.run(pelma::parse(text));
            for (int i = 0; i < lines.size(); ++i)
                reply(lines.at(i), i + 1 == lines.size());
        });
    });
    TerminationSignals termination([](int) { QCoreApplication::quit(); });
    const int status = QApplication::exec();
    program.saveAll();
    return status;
}
