#include "dialup/dbus/NmStates.h"

#include "dialup/DialErrors.h"
#include "dialup/DialStates.h"

namespace vesk::nm {
namespace {

// NMActiveConnectionState
constexpr uint Activated = 2;
constexpr uint Deactivating = 3;
// NMDeviceState
constexpr uint Prepare = 40;
constexpr uint Config = 50;
constexpr uint NeedAuth = 60;
constexpr uint IpConfig = 70;
constexpr uint DeviceActivated = 100;

} // namespace

int dialState(uint activeState, uint deviceState)
{
    if (activeState == Activated)
        return dialstate::Connected;
    if (activeState >= Deactivating)
        return dialstate::Disconnected;
    if (deviceState >= DeviceActivated)
        return deviceState == DeviceActivated ? int(dialstate::Connected) : int(dialstate::Disconnected);
    if (deviceState >= IpConfig)
        return dialstate::Authenticated;
    if (deviceState >= NeedAuth)
        return dialstate::Authenticate;
    if (deviceState >= Config)
        return dialstate::AllDevicesConnected;
    if (deviceState >= Prepare)
        return dialstate::ConnectDevice;
    return dialstate::OpenPort;
}

int deviceError(uint reason)
{
    switch (reason) {
    case 7: // no secrets: the password prompt was cancelled
    case 39: // user requested
        return dialerror::UserDisconnected;
    case 23:
        return dialerror::LineBusy;
    case 24:
        return dialerror::NoDialTone;
    case 25:
        return dialerror::NoCarrier;
    case 26:
        return dialerror::NoAnswer;
    default:
        return dialerror::PortDisconnected;
    }
}

int activeError(uint reason)
{
    switch (reason) {
    case 2: // user disconnected
    case 9: // no secrets
        return dialerror::UserDisconnected;
    case 6: // connect timeout
        return dialerror::PppTimeout;
    case 10: // login failed
        return dialerror::AuthenticationFailed;
    default:
        return dialerror::PortDisconnected;
    }
}

bool pointToPoint(const QString &type)
{
    return type == QLatin1String("gsm") || type == QLatin1String("cdma") || type == QLatin1String("pppoe")
        || type == QLatin1String("adsl") || type == QLatin1String("bluetooth");
}

} // namespace vesk::nm
