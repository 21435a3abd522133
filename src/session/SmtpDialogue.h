#pragma once

#include "session/OutBoxContents.h"

#include <QByteArray>

namespace vesk {

class ClientJudge;

// The upload dialogue (states 1-8): HELO, then for each out-box file RSET,
// MAIL, RCPT per recipient, DATA, the text, "."; QUIT. A file is deleted only
// after the provider accepted its text.
class SmtpDialogue final
{
public:
    explicit SmtpDialogue(ClientJudge &judge);

    void begin();
    void reply(const QByteArray &line);
    void clearMessage() { m_contents = {}; }

private:
    void nextMessage();
    void recipient();
    void sendText();
    void accepted();
    void quitOk();
    void quit();

    ClientJudge &m_judge;
    OutBoxContents m_contents;
    qsizetype m_index = 0;
};

} // namespace vesk
