#pragma once

#include "settings/ColorValue.h"

#include <QColor>
#include <QFont>

namespace vesk {

struct Settings;

// How the settings' colours and fonts look on this desktop.
namespace look {

// A stored colour as a QColor; the old desktop's system colours are given the
// classic values where this desktop has no such colour (title bars).
QColor color(ColorValue value);

// The strip's title font: FontName, FontSize (points), FontStyle.
QFont titleFont(const Settings &settings);

// Title bar backgrounds while the program is active and while it is not.
QColor activeCaption();
QColor inactiveCaption();

} // namespace look
} // namespace vesk
