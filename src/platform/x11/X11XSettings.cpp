#include "platform/x11/X11XSettings.h"

#include "platform/x11/X11ErrorTrap.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>

namespace vesk {

namespace {
// A desktop's whole settings list is a few kilobytes; more is not one.
constexpr long kMaxWords = 16384;
} // namespace

std::optional<XSettings> readX11Settings()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    const QByteArray selection = "_XSETTINGS_S" + QByteArray::number(DefaultScreen(display));
    const Atom property = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
    // The manager may go away between the two requests.
    X11ErrorTrap trap(display);
    const Window owner = XGetSelectionOwner(display, XInternAtom(display, selection.constData(), False));
    if (owner == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    const int status = XGetWindowProperty(display, owner, property, 0, kMaxWords, False, property, &type, &format,
        &items, &after, &data);
    std::optional<XSettings> settings;
    if (trap.sync() == 0 && status == Success && data && type == property && format == 8 && after == 0)
        settings = XSettings::parse(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(items)));
    if (data)
        XFree(data);
    return settings;
}

} // namespace vesk
