// A stand-in for a mailer or any program the launcher starts: one line
// edit. Each Enter writes the line (UTF-8) to standard output and, with
// --out FILE, appends it to FILE; closing the window writes "closed".
#include <QApplication>
#include <QFile>
#include <QLineEdit>

#include <cstdio>

namespace {

QString g_out;

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
    if (g_out.isEmpty())
        return;
    QFile file(g_out);
    if (file.open(QIODevice::Append))
        file.write(line.toUtf8() + '\n');
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype out = args.indexOf(QStringLiteral("--out"));
    if (out > 0 && out + 1 < args.size())
        g_out = args.at(out + 1);
    QLineEdit edit;
    edit.setWindowTitle(QStringLiteral("typist"));
    edit.resize(320, 40);
    QObject::connect(&edit, &QLineEdit::returnPressed, [&edit] {
        say(edit.text());
        edit.clear();
    });
    QObject::connect(&app, &QApplication::lastWindowClosed, [] { say(QStringLiteral("closed")); });
    edit.show();
    say(QStringLiteral("ready"));
    return app.exec();
}
