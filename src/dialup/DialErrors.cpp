#include "dialup/DialErrors.h"

namespace vesk::dialerror {

QString text(int error)
{
    switch (error) {
    case None:
        return QString();
    case InvalidHandle:
        return QStringLiteral("The handle is invalid.");
    case EntryNotFound:
        return QStringLiteral("The system could not find the phone book entry for this connection.");
    case PortDisconnected:
        return QStringLiteral("The port was disconnected.");
    case UserDisconnected:
        return QStringLiteral("The port was disconnected by the user.");
    case LineBusy:
        return QStringLiteral("The line is busy.");
    case NoAnswer:
        return QStringLiteral("There is no answer.");
    case NoCarrier:
        return QStringLiteral("Cannot detect carrier.");
    case NoDialTone:
        return QStringLiteral("There is no dial tone.");
    case AuthenticationFailed:
        return QStringLiteral("Access was denied because the username and/or password was invalid.");
    case ServiceUnreachable:
        return QStringLiteral("NetworkManager is not reachable on the system bus.");
    case PppTimeout:
        return QStringLiteral("Timed out waiting for a valid response from the remote peer.");
    default:
        return QStringLiteral("Connection error %1.").arg(error);
    }
}

} // namespace vesk::dialerror
