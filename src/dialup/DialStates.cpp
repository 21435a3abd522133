#include "dialup/DialStates.h"

#include "dialup/DialErrors.h"

namespace vesk::dialstate {
namespace {

struct StateText
{
    int state;
    const char *text;
};

constexpr StateText Texts[] = {
    { 0, "Opening port" },
    { 1, "Port opened" },
    { 2, "Connecting device" },
    { 3, "Device connected" },
    { 4, "All devices connected" },
    { 5, "Start authenticating" },
    { 6, "Authentication: notify" },
    { 7, "Authentication: retry" },
    { 8, "Authentication: callback" },
    { 9, "Authentication: change password" },
    { 10, "Authentication: projecting" },
    { 11, "Authentication: link speed" },
    { 12, "Authentication: acknowledge" },
    { 13, "Authentication: reauthenticate" },
    { 14, "Authenticated" },
    { 15, "Preparing for callback" },
    { 16, "Waiting for modem reset" },
    { 17, "Waiting for callback" },
    { 18, "Projected" },
    { 19, "Start authentication" },
    { 20, "Callback complete" },
    { 21, "Logging on network" },
    { 4096, "Interactive" },
    { 4097, "Retry Authentication" },
    { 4098, "Callback set by caller" },
    { 4099, "Password expired" },
    { 8192, "Connected" },
    { 8193, "Disconnected" },
};

} // namespace

QString stateText(int state)
{
    for (const StateText &row : Texts) {
        if (row.state == state)
            return QString::fromLatin1(row.text);
    }
    return QString();
}

QString statusText(int state, int error)
{
    if (error != 0)
        return dialerror::text(error).left(100);
    return stateText(state);
}

} // namespace vesk::dialstate
