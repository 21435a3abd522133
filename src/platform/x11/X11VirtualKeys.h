#pragma once

#include "platform/x11/X11Types.h"

#include <QList>

namespace vesk::x11 {

// The X key symbol of a virtual-key code (VirtualKeys.h); 0 for none.
XKeySym keySymOf(int virtualKey);
// Every key symbol that counts as that key when asking whether it is held
// (left and right Ctrl, Return and keypad Enter, ...).
QList<XKeySym> heldKeySymsOf(int virtualKey);

} // namespace vesk::x11
