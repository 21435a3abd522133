#pragma once

#include <functional>

namespace vesk {

// What timed plans ask of parts of the program that live elsewhere: the
// dial-up line, the launcher and the power-off. A part that is not there
// leaves its entry empty, and a plan that falls due for it says so.
struct PlanActions
{
    // ModemOpen / ModemClose, and whether the dial-up line is up.
    std::function<void()> connect;
    std::function<void()> disconnect;
    std::function<bool()> connected;
    // mnuOpt1Click: starts launcher entry n (the entry's own checks apply).
    std::function<void(int entry)> startLauncher;
    // AutoPowerOFF: ends the desktop session and switches the machine off.
    std::function<void()> powerOff;
};

} // namespace vesk
