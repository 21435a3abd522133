#pragma once

#include <QString>

namespace vesk::linetext {

// The connection time of `ticks` ten-second units: "h:mm:ss".
QString connectTime(int ticks);
// A speed in bits per second in kilobits with one decimal at most, and the
// unit: 28800 gives "28.8 Kbps", 64000 "64 Kbps".
QString speed(qint64 bitsPerSecond);

} // namespace vesk::linetext
