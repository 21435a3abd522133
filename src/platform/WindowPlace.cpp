#include "platform/WindowPlace.h"

#include <algorithm>

namespace vesk {
namespace {

// So much of the title bar must be on a work area for the user to grab it.
constexpr int GripWidth = 100;

bool titleReachable(const QRect &frame, int titleHeight, const QRect &area)
{
    const QRect bar(frame.left(), frame.top(), frame.width(), std::max(titleHeight, 1));
    const QRect seen = bar.intersected(area);
    return seen.height() == bar.height() && seen.width() >= std::min(frame.width(), GripWidth);
}

// The frame moved the least so that it lies within the area, its top-left
// first when it is larger.
QRect clampInto(QRect frame, const QRect &area)
{
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    frame.moveTo(x, y);
    return frame;
}

} // namespace

QPoint placeClient(const QRect &client, int titleHeight, const DeskLayout &desk)
{
    if (desk.workAreas.isEmpty())
        return client.topLeft();
    QRect frame = client.adjusted(0, -titleHeight, 0, 0);

    // The area the window is mostly on; where it is on none, the primary one.
    QRect area = desk.workAreas.first();
    qint64 best = 0;
    for (const QRect &candidate : desk.workAreas) {
        const QRect common = candidate.intersected(frame);
        const qint64 size = qint64(common.width()) * common.height();
        if (size > best) {
            best = size;
            area = candidate;
        }
    }
    if (!titleReachable(frame, titleHeight, area))
        frame = clampInto(frame, area);

    // The strip stays on top: a window under it could not be reached.
    if (desk.strip.isValid() && frame.intersects(desk.strip) && area.intersects(desk.strip)) {
        const int below = desk.strip.bottom() + 1;
        const int above = desk.strip.top() - frame.height();
        const int right = desk.strip.right() + 1;
        const int left = desk.strip.left() - frame.width();
        const bool stripHigh = desk.strip.center().y() < area.center().y();
        if (below + frame.height() <= area.bottom() + 1 && (stripHigh || above < area.top()))
            frame.moveTop(below);
        else if (above >= area.top())
            frame.moveTop(above);
        else if (right + frame.width() <= area.right() + 1)
            frame.moveLeft(right);
        else if (left >= area.left())
            frame.moveLeft(left);
        else
            frame.moveTop(below); // the title bar is what must stay free
    }
    return frame.topLeft() + QPoint(0, titleHeight);
}

} // namespace vesk
