#pragma once

#include <QString>

namespace vesk {

// Starting the program with the desktop session: a desktop entry in the
// user's autostart folder ($XDG_CONFIG_HOME/autostart/vesk.desktop), which
// desktop sessions following the freedesktop rules run at log-in.
class Autostart final
{
public:
    static QString entryPath();
    static bool isEnabled();

    // Writes the entry (atomically) to start `program`, an absolute path;
    // an entry there before is replaced. False with the reason otherwise.
    static bool enable(const QString &program, QString *error = nullptr);
    // Removes the entry; no entry is no failure.
    static bool disable(QString *error = nullptr);

    // The entry's text for `program`.
    static QByteArray entryText(const QString &program);
    // `program` as one argument of an Exec line: quoted and escaped.
    static QString execArgument(const QString &program);
};

} // namespace vesk
