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

    // Host, SMTP and UserID all given: there is someone to ask.
    bool complete() const { return !Host.isEmpty() && !SMTP.isEmpty() && !UserID.isEmpty(); }
};

} // namespace vesk
