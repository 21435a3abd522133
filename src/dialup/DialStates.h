#pragma once

#include <QString>

namespace vesk::dialstate {

// Connection states of a dial, as the dial-up component reports them.
enum : int {
    OpenPort = 0,
    PortOpened = 1,
    ConnectDevice = 2,
    DeviceConnected = 3,
    AllDevicesConnected = 4,
    Authenticate = 5,
    Authenticated = 14,
    StartAuthentication = 19,
    Connected = 8192,
    Disconnected = 8193,
};

// The English text of a state; empty for a state not in the table.
QString stateText(int state);

// The text shown for a notification: the error's text when there is an
// error, else the state's.
QString statusText(int state, int error);

} // namespace vesk::dialstate
