#pragma once

// Xlib's types without Xlib's macros (None, Bool, KeyPress, ...), which
// clash with Qt's names: only the .cpp files include <X11/Xlib.h>.
typedef struct _XDisplay Display;

namespace vesk::x11 {

using XWindow = unsigned long;
using XKeySym = unsigned long;

} // namespace vesk::x11
