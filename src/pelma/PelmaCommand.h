#pragma once

#include <QString>

namespace vesk {

// The commands the note program takes, as its argument or over its socket
// (exact case).
namespace pelma {

inline const QString Add = QStringLiteral("/PelmaAdd"); // a note from the Temp hand-over
inline const QString Main = QStringLiteral("/PelmaMain"); // show the notes
inline const QString Write = QStringLiteral("/PelmaWrite"); // the note editor
inline const QString PaperHide = QStringLiteral("/PelmaPaperHide"); // hide or show the notes
// The close request (a window's close message): the program ends.
inline const QString Close = QStringLiteral("/PelmaClose");

enum class Command { None, Add, Main, Write, PaperHide, Close, Unknown };

// An empty text is None (started without a command).
Command parse(const QString &text);

// The replies over the socket: "@ok" when done, "@fail " and why.
inline const QString Ok = QStringLiteral("@ok");
inline const QString Fail = QStringLiteral("@fail ");

} // namespace pelma
} // namespace vesk
