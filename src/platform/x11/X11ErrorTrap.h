#pragma once

#include "platform/x11/X11Types.h"

namespace vesk {

// Catches the X errors of the requests made while it lives, instead of
// leaving them to the default handler: a window that went away between two
// requests, or a key combination another program has grabbed.
class X11ErrorTrap final
{
public:
    explicit X11ErrorTrap(Display *display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap &) = delete;
    X11ErrorTrap &operator=(const X11ErrorTrap &) = delete;

    // Waits for the server's answers so far; the first error code among
    // them since the trap was set (0 none).
    int sync();

private:
    Display *m_display;
    void *m_previous;
};

} // namespace vesk
