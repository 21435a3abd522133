#include "platform/x11/X11Desktop.h"

#include "platform/x11/X11DesktopWindows.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11SyntheticInput.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace vesk {

std::unique_ptr<X11Desktop> X11Desktop::open()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return nullptr;
    std::unique_ptr<X11Desktop> desktop(new X11Desktop);
    desktop->m_windows = std::make_unique<X11DesktopWindows>(display);
    desktop->m_hotKeys = std::make_unique<X11HotKeys>(display);
    desktop->m_input = std::make_unique<X11SyntheticInput>(display);
    return desktop;
}

X11Desktop::~X11Desktop() = default;

DesktopServices X11Desktop::services()
{
    return { &m_programs, m_windows.get(), m_hotKeys.get(), m_input.get() };
}

} // namespace vesk
