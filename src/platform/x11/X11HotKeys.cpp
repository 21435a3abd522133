#include "platform/x11/X11HotKeys.h"

#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11VirtualKeys.h"

#include <QCoreApplication>
#include <QTimer>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

namespace vesk {
namespace {

// The modifiers a combination is made of; lock states are not.
constexpr unsigned Combining = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

} // namespace

X11HotKeys::X11HotKeys(Display *display)
    : m_display(display)
    , m_root(DefaultRootWindow(display))
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeys::~X11HotKeys()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const Grab &grab : std::as_const(m_grabs))
        ungrab(grab);
    XFlush(m_display);
}

QList<unsigned> X11HotKeys::lockVariants() const
{
    const unsigned numLock = XkbKeysymToModifiers(m_display, XK_Num_Lock);
    return { 0, LockMask, numLock, LockMask | numLock };
}

QString X11HotKeys::grab(int id, int modifiers, int virtualKey)
{
    release(id);
    const x11::XKeySym sym = x11::keySymOf(virtualKey);
    const KeyCode code = sym ? XKeysymToKeycode(m_display, sym) : 0;
    if (!code)
        return QStringLiteral("the keyboard has no such key");
    Grab grab { code, 0 };
    if (modifiers & GlobalHotKeys::Shift)
        grab.modifiers |= ShiftMask;
    if (modifiers & GlobalHotKeys::Ctrl)
        grab.modifiers |= ControlMask;
    if (modifiers & GlobalHotKeys::Alt)
        grab.modifiers |= XkbKeysymToModifiers(m_display, XK_Alt_L);

    X11ErrorTrap trap(m_display);
    for (unsigned variant : lockVariants())
        XGrabKey(m_display, code, grab.modifiers | variant, m_root, False, GrabModeAsync, GrabModeAsync);
    if (const int error = trap.sync()) {
        // Another program holds it: give back the variants that were had.
        ungrab(grab);
        trap.sync();
        return error == BadAccess ? QStringLiteral("another program uses it")
                                  : QStringLiteral("X error %1").arg(error);
    }
    m_grabs.insert(id, grab);
    return {};
}

void X11HotKeys::ungrab(const Grab &grab)
{
    X11ErrorTrap trap(m_display);
    for (unsigned variant : lockVariants())
        XUngrabKey(m_display, grab.keyCode, grab.modifiers | variant, m_root);
}

void X11HotKeys::release(int id)
{
    const auto it = m_grabs.constFind(id);
    if (it == m_grabs.constEnd())
        return;
    ungrab(*it);
    m_grabs.remove(id);
}

bool X11HotKeys::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *press = static_cast<const xcb_key_press_event_t *>(message);
    if (press->event != m_root)
        return false;
    const unsigned modifiers = press->state & Combining;
    for (auto it = m_grabs.constBegin(); it != m_grabs.constEnd(); ++it) {
        if (it->keyCode != press->detail || it->modifiers != modifiers)
            continue;
        // Started from the event loop, not from inside Qt's event reading.
        const int id = it.key();
        QTimer::singleShot(0, QCoreApplication::instance(), [this, id] { pressed(id); });
        return true;
    }
    return false;
}

} // namespace vesk
