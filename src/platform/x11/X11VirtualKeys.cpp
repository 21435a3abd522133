#include "platform/x11/X11VirtualKeys.h"

#include "platform/VirtualKeys.h"

#include <X11/keysym.h>

namespace vesk::x11 {
namespace {

struct KeyPair
{
    int virtualKey;
    XKeySym keySym;
};

constexpr KeyPair Keys[] = {
    { vk::BackSpace, XK_BackSpace },
    { vk::Tab, XK_Tab },
    { vk::Return, XK_Return },
    { vk::Shift, XK_Shift_L },
    { vk::Control, XK_Control_L },
    { vk::Alt, XK_Alt_L },
    // The input-method switch of a Japanese keyboard.
    { vk::Kanji, XK_Zenkaku_Hankaku },
    { vk::Escape, XK_Escape },
    { vk::Space, XK_space },
    { vk::PageUp, XK_Prior },
    { vk::PageDown, XK_Next },
    { vk::End, XK_End },
    { vk::Home, XK_Home },
    { vk::Left, XK_Left },
    { vk::Up, XK_Up },
    { vk::Right, XK_Right },
    { vk::Down, XK_Down },
    { vk::Insert, XK_Insert },
    { vk::Delete, XK_Delete },
    { vk::Semicolon, XK_semicolon },
    { vk::Equal, XK_equal },
    { vk::Comma, XK_comma },
    { vk::Minus, XK_minus },
    { vk::Period, XK_period },
    { vk::Slash, XK_slash },
    { vk::Grave, XK_grave },
    { vk::BracketLeft, XK_bracketleft },
    { vk::Backslash, XK_backslash },
    { vk::BracketRight, XK_bracketright },
    { vk::Apostrophe, XK_apostrophe },
};

} // namespace

XKeySym keySymOf(int virtualKey)
{
    if (virtualKey >= '0' && virtualKey <= '9')
        return XK_0 + (virtualKey - '0');
    // Letter keys by their small letter, as a keyboard map lists them first.
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return XK_a + (virtualKey - 'A');
    if (virtualKey >= vk::F1 && virtualKey <= vk::F24)
        return XK_F1 + (virtualKey - vk::F1);
    for (const KeyPair &k : Keys) {
        if (k.virtualKey == virtualKey)
            return k.keySym;
    }
    return 0;
}

QList<XKeySym> heldKeySymsOf(int virtualKey)
{
    switch (virtualKey) {
    case vk::Shift:
        return { XK_Shift_L, XK_Shift_R };
    case vk::Control:
        return { XK_Control_L, XK_Control_R };
    case vk::Alt:
        return { XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R };
    case vk::Return:
        return { XK_Return, XK_KP_Enter };
    default:
        if (const XKeySym sym = keySymOf(virtualKey))
            return { sym };
        return {};
    }
}

} // namespace vesk::x11
