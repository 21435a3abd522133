#pragma once

#include <QByteArray>
#include <QString>

namespace vesk {

// The texts fixed at start-up that name this machine and program in the
// greetings and trace lines.
struct ServerIdentity
{
    QByteArray hostName = "tempolary";
    QByteArray version;
    QByteArray zoneText = "+0000";

    // From the machine's host name and the offset of local time to UTC.
    static ServerIdentity make(const QString &machineHostName, int utcOffsetSeconds);
    // The same for this machine now.
    static ServerIdentity local();
};

} // namespace vesk
