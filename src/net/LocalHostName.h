#pragma once

#include <QString>

namespace vesk {

// The name of this machine, or an empty string if it cannot be had.
QString LocalHostName();

} // namespace vesk
