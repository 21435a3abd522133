#pragma once

#include <QString>
#include <QtGlobal>

namespace vesk {

// The settings the local mail servers work with, under their stored names,
// plus the few values that tests and the benchmark change.
struct ServerConfig
{
    QString UserID;
    QString Password;
    QString Host;
    bool DevideON = false;
    bool DirectCheck = false;
    bool DirectCheck2 = false;
    bool ManuSend = false;
    bool AutoDevideDisp = false;
    int DialMode = 0;
    int OverTime = 300; // seconds without traffic before a dialogue is given up
    int POP3_VeskMailer1 {};
    int POP3_VeskMailer2 {};
    int SMTP_VeskMailer1 {};
    int SMTP_VeskMailer2 {};

    // Pause before a message is looked up for TOP and RETR.
    int lookupPauseMs = 100;
    // Largest DATA body filed; a bigger one is refused and nothing is kept.
    qint64 maxMessageBytes = qint64(256) * 1024 * 1024;
};

} // namespace vesk
