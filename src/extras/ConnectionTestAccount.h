#pragma once

#include <QString>

namespace vesk {

// The provider account as the settings dialog holds it, for a connection
// test before it is saved.
struct ConnectionTestAccount
{
    QString Host;
    QString SMTP;
    QString UserID;
    QString Password; // plain
    bool Apop = false;
    // 0: the stored port.
    int POP3_ServerVesk = 0;
    int POP3_Security = 0;

    // Host, SMTP and UserID all given: there is someone to ask.
    bool complete() const { return !Host.isEmpty() && !SMTP.isEmpty() && !UserID.isEmpty(); }
};

} // namespace vesk
