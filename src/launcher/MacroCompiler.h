#pragma once

#include "launcher/MacroAction.h"

namespace vesk {

// MacroDiv and MacroSend's reading of a macro: each comma-separated step
// becomes its actions. Nothing is refused outright: a step the language
// cannot use becomes a message, so the rest of the macro still runs.
namespace macro {

// Bounds that keep a macro from holding the program for hours.
constexpr int MaxRepeat = 100;
constexpr int MaxTimer = 3000; // x 100 ms: five minutes
// Checks of the Alt/Ctrl wait, and of WAITENT and WAITDLG (counting the
// former), 10 ms and 100 ms apart.
constexpr int ModifierChecks = 500;
constexpr int WaitChecks = 600;

CompiledMacro compile(const QString &macro);
MacroStep compileStep(const QString &step);

// " はマクロで使えません": the message for a step the language cannot use.
QString unusable(const QString &step);

} // namespace macro
} // namespace vesk
