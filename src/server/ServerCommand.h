#pragma once

#include <QByteArray>

namespace vesk {

// The command table of the local servers, numbered in table order: 1-12 the
// POP3 commands, 13-18 the SMTP commands. Every command is taken on every port.
enum class ServerCommand : int {
    Unknown = 0,
    APOP = 1,
    USER,
    PASS,
    QUIT,
    STAT,
    TOP,
    RETR,
    LIST,
    DELE,
    LAST,
    NOOP,
    UIDL,
    HELO,
    RSET,
    MAIL,
    RCPT,
    DATA,
    VRFY,
};

// Looks the first word of a line up, ignoring letter case.
ServerCommand lookupServerCommand(const QByteArray &word);

// A line no mailer sends: an HTTP request line ("POST / HTTP/1.1": a method
// and a blank) or an HTTP header ("Host: ...": a first word ending in ":").
// Browsers let any web page post a form to 127.0.0.1 on most ports.
bool isForeignProtocolLine(const QByteArray &line);

// A command line cut at its first space: the command and the argument text.
struct CommandLine
{
    QByteArray command;
    QByteArray argument;

    static CommandLine split(const QByteArray &line);
    // Argument word n (from 1) of the argument text split at single spaces;
    // empty when there are fewer words.
    QByteArray word(int n) const;
};

} // namespace vesk
