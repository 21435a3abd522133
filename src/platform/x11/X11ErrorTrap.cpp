#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace vesk {
namespace {

// One thread and one trap at a time: the handler has nowhere else to put it.
int g_error = 0;

int record(Display *, XErrorEvent *event)
{
    if (!g_error)
        g_error = event->error_code;
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display *display)
    : m_display(display)
{
    // Errors of earlier requests are not ours to see.
    XSync(m_display, False);
    g_error = 0;
    m_previous = reinterpret_cast<void *>(XSetErrorHandler(record));
}

X11ErrorTrap::~X11ErrorTrap()
{
    XSync(m_display, False);
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(m_previous));
}

int X11ErrorTrap::sync()
{
    XSync(m_display, False);
    return g_error;
}

} // namespace vesk
