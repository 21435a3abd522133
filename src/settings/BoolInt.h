#pragma once

namespace vesk {

// Booleans are stored as integers: any non-zero value is true; true is
// written as 1 and false as 0.
constexpr bool IntToBool(int value)
{
    return value != 0;
}

constexpr int BoolToInt(bool value)
{
    return value ? 1 : 0;
}

} // namespace vesk
