#pragma once

#include <QString>

namespace vesk {

// Shutting the machine down (a plan's timed action).
class PowerOff
{
public:
    virtual ~PowerOff() = default;
    // Asks the system to power off; false with the reason when it refused
    // or no means was there.
    virtual bool powerOff(QString *reason) = 0;
};

} // namespace vesk
