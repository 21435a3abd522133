#include "OtherXClient.h"

#include <X11/Xlib.h>

namespace vesk::test {

OtherXClient::OtherXClient(const QString &display)
    : m_display(XOpenDisplay(display.toLatin1().constData()))
{ }

OtherXClient::~OtherXClient()
{
    if (m_display)
        XCloseDisplay(static_cast<Display *>(m_display));
}

void OtherXClient::grabCtrlAlt(char letter)
{
    auto *display = static_cast<Display *>(m_display);
    XGrabKey(display, XKeysymToKeycode(display, KeySym(letter)), ControlMask | Mod1Mask,
        DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync);
    XSync(display, False);
}

} // namespace vesk::test
