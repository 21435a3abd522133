#include "server/ServerJudge.h"

#include "server/LocalDialogue.h"
#include "server/Pop3Commands.h"
#include "server/ServerCommand.h"
#include "server/SmtpCommands.h"

namespace vesk {

void ServerJudge::judge(LocalDialogue &dialogue, const QByteArray &line)
{
    if (isForeignProtocolLine(line)) {
        dialogue.refuseForeign();
        return;
    }
    const CommandLine parts = CommandLine::split(line);
    const ServerCommand command = lookupServerCommand(parts.command);
    if (command == ServerCommand::Unknown) {
        // EHLO is refused, but its name is the mailer's, for the trace line
        // of a mailer that goes on to MAIL without HELO.
        if (parts.command.compare("EHLO", Qt::CaseInsensitive) == 0)
            dialogue.vars().heloName = parts.argument;
        dialogue.unknownCommand(parts.command);
        return;
    }
    dialogue.knownCommand();
    switch (command) {
    case ServerCommand::QUIT:
        dialogue.quit();
        return;
    case ServerCommand::HELO:
    case ServerCommand::RSET:
    case ServerCommand::MAIL:
    case ServerCommand::RCPT:
    case ServerCommand::DATA:
    case ServerCommand::VRFY:
        SmtpCommands::run(dialogue, command, parts);
        return;
    default:
        Pop3Commands::run(dialogue, command, parts);
        return;
    }
}

void ServerJudge::dataEnded(LocalDialogue &dialogue, SmtpBody &body)
{
    SmtpCommands::dataEnded(dialogue, body);
}

} // namespace vesk
