#pragma once

#include <QByteArray>

namespace vesk {

class LocalDialogue;
class SmtpBody;

// The command dispatcher of the local servers: one line of a mailer, looked
// up in the command table (every command on every port) and answered.
class ServerJudge final
{
public:
    static void judge(LocalDialogue &dialogue, const QByteArray &line);
    // The "." line of a DATA transfer arrived.
    static void dataEnded(LocalDialogue &dialogue, SmtpBody &body);
};

} // namespace vesk
