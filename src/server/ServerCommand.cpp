#include "server/ServerCommand.h"

#include <iterator>

namespace vesk {

ServerCommand lookupServerCommand(const QByteArray &word)
{
    static const char *const table[] = { "APOP", "USER", "PASS", "QUIT", "STAT", "TOP", "RETR", "LIST",
        "DELE", "LAST", "NOOP", "UIDL", "HELO", "RSET", "MAIL", "RCPT", "DATA", "VRFY" };
    if (word.size() > 4)
        return ServerCommand::Unknown;
    const QByteArray upper = word.toUpper();
    for (int i = 0; i < int(std::size(table)); ++i) {
        if (upper == table[i])
            return ServerCommand(i + 1);
    }
    return ServerCommand::Unknown;
}

bool isForeignProtocolLine(const QByteArray &line)
{
    static const char *const methods[]
        = { "GET", "POST", "PUT", "HEAD", "OPTIONS", "CONNECT", "DELETE", "PATCH", "TRACE" };
    const qsizetype space = line.indexOf(' ');
    const QByteArray word = space < 0 ? line : line.left(space);
    if (word.size() > 1 && word.endsWith(':'))
        return true;
    if (space < 0)
        return false;
    const QByteArray upper = word.toUpper();
    for (const char *method : methods) {
        if (upper == method)
            return true;
    }
    return false;
}

CommandLine CommandLine::split(const QByteArray &line)
{
    const qsizetype space = line.indexOf(' ');
    if (space < 0)
        return { line, {} };
    return { line.left(space), line.mid(space + 1) };
}

QByteArray CommandLine::word(int n) const
{
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype space = argument.indexOf(' ', start);
        if (space < 0)
            return {};
        start = space + 1;
    }
    const qsizetype end = argument.indexOf(' ', start);
    return argument.mid(start, end < 0 ? -1 : end - start);
}

} // namespace vesk
