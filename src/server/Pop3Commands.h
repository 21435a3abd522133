#pragma once

#include "server/ServerCommand.h"

namespace vesk {

class LocalDialogue;

// The POP3 commands of the local server (APOP to UIDL, without QUIT).
class Pop3Commands final
{
public:
    static void run(LocalDialogue &dialogue, ServerCommand command, const CommandLine &line);

private:
    static void apop(LocalDialogue &dialogue, const CommandLine &line);
    static void user(LocalDialogue &dialogue, const CommandLine &line);
    static void pass(LocalDialogue &dialogue, const CommandLine &line);
    static void login(LocalDialogue &dialogue, bool passed);
    static void top(LocalDialogue &dialogue, const CommandLine &line);
    static void retr(LocalDialogue &dialogue, const CommandLine &line);
    static void list(LocalDialogue &dialogue, const CommandLine &line);
    static void dele(LocalDialogue &dialogue, const CommandLine &line);
    static void uidl(LocalDialogue &dialogue, const CommandLine &line);
};

} // namespace vesk
