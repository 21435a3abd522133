#pragma once

#include "server/ServerCommand.h"

namespace vesk {

class LocalDialogue;
class SmtpBody;

// The SMTP commands of the local server (HELO to VRFY, without QUIT) and the
// filing of a received message into the out-box.
class SmtpCommands final
{
public:
    static void run(LocalDialogue &dialogue, ServerCommand command, const CommandLine &line);
    static void dataEnded(LocalDialogue &dialogue, SmtpBody &body);

    // More recipients than this for one message are refused.
    static constexpr int MaxRecipients = 1000;

private:
    static void data(LocalDialogue &dialogue, const CommandLine &line);
    // Files the message; the name it got, or empty when it is not on disk.
    static QString file(LocalDialogue &dialogue, SmtpBody &body);
};

} // namespace vesk
