#pragma once

#include "platform/DesktopServices.h"
#include "platform/ProcessLauncher.h"

#include <memory>

namespace vesk {

class X11DesktopWindows;
class X11HotKeys;
class X11SyntheticInput;

// The desktop services on an X server, on Qt's own connection to it.
class X11Desktop final
{
public:
    // Nothing when Qt does not run on X (Wayland, offscreen).
    static std::unique_ptr<X11Desktop> open();
    ~X11Desktop();

    DesktopServices services();

private:
    X11Desktop() = default;

    QtProcessLauncher m_programs;
    std::unique_ptr<X11DesktopWindows> m_windows;
    std::unique_ptr<X11HotKeys> m_hotKeys;
    std::unique_ptr<X11SyntheticInput> m_input;
};

} // namespace vesk
