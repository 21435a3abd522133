#pragma once

#include "settings/ColorValue.h"

#include <QColor>

namespace vesk {

// A stored colour as this desktop shows it; the old desktop's system colours
// are given the classic values where this desktop has no such colour (title
// bars).
QColor desktopColor(ColorValue value);

// The classic title bar backgrounds, active and inactive.
QColor classicActiveCaption();
QColor classicInactiveCaption();

} // namespace vesk
