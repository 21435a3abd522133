#pragma once

#include <QString>

namespace vesk::dialerror {

// Error numbers of dialling, numbered as dial-up networking numbers them so
// that the rules keyed on them (631: the user cancelled) read the same.
enum : int {
    None = 0,
    InvalidHandle = 6, // the connection is gone
    EntryNotFound = 623,
    PortDisconnected = 628,
    UserDisconnected = 631, // the user cancelled
    LineBusy = 676,
    NoAnswer = 678,
    NoCarrier = 679,
    NoDialTone = 680,
    AuthenticationFailed = 691,
    ServiceUnreachable = 711,
    PppTimeout = 718,
};

// The English text of an error number.
QString text(int error);

} // namespace vesk::dialerror
