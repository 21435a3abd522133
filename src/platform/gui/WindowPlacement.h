#pragma once

#include <QPoint>

class QWidget;

namespace vesk::windowplace {

// The always-on-top strip that other windows are kept clear of.
void setStrip(const QWidget *strip);

// Puts a window (before it is shown) with its client area at `saved`, the
// value savedTopLeft() gave, kept reachable on a screen and clear of the strip.
// A window never placed has (0, 0) saved, which lands it at the top left of
// the work area below the strip.
void restore(QWidget *window, QPoint saved);

// Before a window without a saved place is shown: centred on the primary
// screen's work area, clear of the strip.
void placeNew(QWidget *window);

// What to save: the client area's top-left, the same quantity restore() takes,
// so that a window comes back where it was, frame or no frame.
QPoint savedTopLeft(const QWidget *window);

} // namespace vesk::windowplace
