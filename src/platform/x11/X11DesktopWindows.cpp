#include "platform/x11/X11DesktopWindows.h"

#include "platform/ProcessTable.h"
#include "platform/x11/X11ErrorTrap.h"

#include <QSet>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace vesk {

X11DesktopWindows::X11DesktopWindows(Display *display)
    : m_display(display)
    , m_root(DefaultRootWindow(display))
{ }

unsigned long X11DesktopWindows::atom(const char *name) const
{
    return XInternAtom(m_display, name, False);
}

QList<unsigned long> X11DesktopWindows::cardinals(
    x11::XWindow window, const char *property, unsigned long type) const
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    QList<unsigned long> values;
    if (XGetWindowProperty(m_display, window, atom(property), 0, 1024, False, type, &actualType, &format,
            &count, &after, &data)
            == Success
        && data && format == 32) {
        // Format 32 comes as longs, whatever their size.
        const auto *items = reinterpret_cast<const unsigned long *>(data);
        for (unsigned long i = 0; i < count; ++i)
            values << items[i];
    }
    if (data)
        XFree(data);
    return values;
}

bool X11DesktopWindows::managerSupports(const char *name) const
{
    return cardinals(m_root, "_NET_SUPPORTED", XA_ATOM).contains(atom(name));
}

QList<x11::XWindow> X11DesktopWindows::clientWindows() const
{
    QList<x11::XWindow> found;
    const auto children = [this](x11::XWindow parent) {
        Window root = 0;
        Window up = 0;
        Window *list = nullptr;
        unsigned int count = 0;
        QList<x11::XWindow> result;
        if (XQueryTree(m_display, parent, &root, &up, &list, &count) && list) {
            for (unsigned int i = 0; i < count; ++i)
                result << list[i];
        }
        if (list)
            XFree(list);
        return result;
    };
    for (x11::XWindow top : children(m_root)) {
        found << top;
        // A frame of a reparenting window manager holds the client.
        if (cardinals(top, "_NET_WM_PID", XA_CARDINAL).isEmpty()) {
            for (x11::XWindow inner : children(top))
                found << inner;
        }
    }
    return found;
}

bool X11DesktopWindows::showsWindow(qint64 pid) const
{
    X11ErrorTrap trap(m_display);
    const QList<qint64> family = processes::withDescendants(pid);
    const QSet<qint64> ids(family.begin(), family.end());
    for (x11::XWindow window : clientWindows()) {
        const QList<unsigned long> owner = cardinals(window, "_NET_WM_PID", XA_CARDINAL);
        if (!owner.isEmpty() && ids.contains(qint64(owner.first())) && visible(window))
            return true;
    }
    return false;
}

qint64 X11DesktopWindows::ownerOf(x11::XWindow window) const
{
    const QList<unsigned long> owner = cardinals(window, "_NET_WM_PID", XA_CARDINAL);
    return owner.isEmpty() ? 0 : qint64(owner.first());
}

bool X11DesktopWindows::hasFocus(qint64 pid) const
{
    const WindowId window = foreground();
    X11ErrorTrap trap(m_display);
    const qint64 owner = window ? ownerOf(window) : 0;
    return owner && processes::withDescendants(pid).contains(owner);
}

void X11DesktopWindows::requestClose(qint64 pid)
{
    X11ErrorTrap trap(m_display);
    const QList<qint64> family = processes::withDescendants(pid);
    const QSet<qint64> ids(family.begin(), family.end());
    const unsigned long protocols = atom("WM_PROTOCOLS");
    const unsigned long deleteWindow = atom("WM_DELETE_WINDOW");
    const bool manager = managerSupports("_NET_CLOSE_WINDOW");
    for (x11::XWindow window : clientWindows()) {
        const QList<unsigned long> owner = cardinals(window, "_NET_WM_PID", XA_CARDINAL);
        if (owner.isEmpty() || !ids.contains(qint64(owner.first())))
            continue;
        if (!cardinals(window, "WM_PROTOCOLS", XA_ATOM).contains(deleteWindow))
            continue;
        // A window the manager looks after is closed through it; others
        // (hidden in a tray, or no manager at all) are asked directly.
        if (manager && !cardinals(window, "WM_STATE", atom("WM_STATE")).isEmpty()) {
            sendToRoot(window, "_NET_CLOSE_WINDOW", CurrentTime, 2);
            continue;
        }
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, window, False, NoEventMask, &event);
    }
    XFlush(m_display);
}

void X11DesktopWindows::sendToRoot(x11::XWindow window, const char *message, long first, long second) const
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(message);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

DesktopWindows::WindowId X11DesktopWindows::foreground() const
{
    X11ErrorTrap trap(m_display);
    if (managerSupports("_NET_ACTIVE_WINDOW")) {
        const QList<unsigned long> active = cardinals(m_root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
        return active.isEmpty() ? 0 : active.first();
    }
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    if (focus == None || focus == PointerRoot)
        return 0;
    // The top-level window that holds the focus.
    for (Window w = focus;;) {
        Window root = 0;
        Window parent = 0;
        Window *list = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, w, &root, &parent, &list, &count))
            return 0;
        if (list)
            XFree(list);
        if (parent == root || parent == 0)
            return w;
        w = parent;
    }
}

bool X11DesktopWindows::exists(WindowId window) const
{
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes;
    return window && XGetWindowAttributes(m_display, window, &attributes);
}

bool X11DesktopWindows::visible(WindowId window) const
{
    X11ErrorTrap trap(m_display);
    XWindowAttributes attributes;
    return window && XGetWindowAttributes(m_display, window, &attributes)
        && attributes.map_state == IsViewable;
}

void X11DesktopWindows::activate(WindowId window)
{
    if (!window)
        return;
    X11ErrorTrap trap(m_display);
    if (managerSupports("_NET_ACTIVE_WINDOW")) {
        sendToRoot(window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
    } else {
        XRaiseWindow(m_display, window);
        XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    }
    XFlush(m_display);
}

} // namespace vesk
