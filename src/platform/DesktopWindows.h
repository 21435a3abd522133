#pragma once

#include <QtGlobal>

namespace vesk {

// Other programs' windows, as far as starting and driving them needs: the
// window a started program shows, the foreground window, and the polite
// close request a window's close button would send.
class DesktopWindows
{
public:
    using WindowId = quint64;

    virtual ~DesktopWindows() = default;
    // False where the desktop does not let the program see other programs'
    // windows (Wayland): then nothing here acts.
    virtual bool canAct() const = 0;
    // A visible top-level window belongs to the process or to one it started.
    virtual bool showsWindow(qint64 pid) const = 0;
    // The foreground window is one of those.
    virtual bool hasFocus(qint64 pid) const = 0;
    // Asks each top-level window of the process to close.
    virtual void requestClose(qint64 pid) = 0;
    // The window with the keyboard focus; 0 when none is known.
    virtual WindowId foreground() const = 0;
    virtual bool exists(WindowId window) const = 0;
    virtual bool visible(WindowId window) const = 0;
    // Gives the keyboard focus back to a window.
    virtual void activate(WindowId window) = 0;
};

// Where nothing can be seen: no window ever shows, nothing is closed.
class NoDesktopWindows final : public DesktopWindows
{
public:
    bool canAct() const override { return false; }
    bool showsWindow(qint64) const override { return false; }
    bool hasFocus(qint64) const override { return false; }
    void requestClose(qint64) override { }
    WindowId foreground() const override { return 0; }
    bool exists(WindowId) const override { return false; }
    bool visible(WindowId) const override { return false; }
    void activate(WindowId) override { }
};

} // namespace vesk
