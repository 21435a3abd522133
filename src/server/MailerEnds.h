#pragma once

#include "mail/MailerPort.h"

#include <functional>
#include <memory>

namespace vesk {

struct ServerEnvironment;

// What follows a mailer's QUIT: the POP3 end (a provider check when the
// mailer asked for one) and the SMTP end (the send cycle, unless sending is
// held). They run from the event loop after the QUIT handler has returned,
// since the send cycle serves the loop for a long time and the connection
// goes away meanwhile.
class MailerEnds final
{
public:
    // Runs a task later from the event loop.
    using Poster = std::function<void(std::function<void()>)>;

    MailerEnds(ServerEnvironment &env, Poster poster);
    ~MailerEnds();

    // `heldPop3`: the dialogue was counted as a running POP3 dialogue and
    // hands that over; it stops counting once the end is done.
    void pop3End(MailerPort port, bool retrieved, bool heldPop3);
    void smtpEnd(MailerPort port);

    // Longest wait of the SMTP end for POP3 dialogues to finish.
    static constexpr int MaxPop3WaitSeconds = 60 * 60;

private:
    void runPop3End(MailerPort port, bool retrieved, bool heldPop3);
    void runSmtpEnd(MailerPort port);

    ServerEnvironment &m_env;
    Poster m_poster;
    std::shared_ptr<bool> m_alive;
};

} // namespace vesk
