#pragma once

#include "platform/DesktopWindows.h"
#include "platform/x11/X11Types.h"

#include <QByteArray>
#include <QList>

namespace vesk {

// Other programs' windows on X: found by their _NET_WM_PID, closed the
// polite way (_NET_CLOSE_WINDOW through the window manager, or
// WM_DELETE_WINDOW to the window itself), the focus from _NET_ACTIVE_WINDOW
// or the input focus where no window manager says.
class X11DesktopWindows final : public DesktopWindows
{
public:
    explicit X11DesktopWindows(Display *display);

    bool canAct() const override { return true; }
    bool showsWindow(qint64 pid) const override;
    bool hasFocus(qint64 pid) const override;
    void requestClose(qint64 pid) override;
    WindowId foreground() const override;
    bool exists(WindowId window) const override;
    bool visible(WindowId window) const override;
    void activate(WindowId window) override;

private:
    unsigned long atom(const char *name) const;
    // The client windows of the desktop: children of the root, and the
    // children of a window manager's frames.
    QList<x11::XWindow> clientWindows() const;
    // The process of a window, from _NET_WM_PID (0 unknown).
    qint64 ownerOf(x11::XWindow window) const;
    QList<unsigned long> cardinals(x11::XWindow window, const char *property, unsigned long type) const;
    bool managerSupports(const char *name) const;
    void sendToRoot(x11::XWindow window, const char *message, long first, long second) const;

    Display *m_display;
    x11::XWindow m_root;
};

} // namespace vesk
