#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace vesk {

// Where a window of the program goes on the desktop. Positions are of the
// client area, saved and restored alike; the window manager's title bar
// (titleHeight) sits above it.
struct DeskLayout
{
    // The screens' work areas, the first being the primary screen's.
    QList<QRect> workAreas;
    // The always-on-top strip; empty while it is not shown.
    QRect strip;
};

// The client top-left for a window wanted at `client`: moved onto a work
// area when its title bar would not be reachable there, and below (or
// above) the strip when the strip would cover it.
QPoint placeClient(const QRect &client, int titleHeight, const DeskLayout &desk);

} // namespace vesk
