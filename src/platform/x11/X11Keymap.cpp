#include "platform/x11/X11Keymap.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

namespace vesk {
namespace {

int currentGroup(Display *display)
{
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success)
        return 0;
    return state.group;
}

} // namespace

X11Keymap::X11Keymap(Display *display)
    : m_display(display)
{
    XDisplayKeycodes(m_display, &m_minCode, &m_maxCode);
}

X11Keymap::~X11Keymap()
{
    restore();
}

void X11Keymap::refresh()
{
    m_loadedGroup = -1;
}

void X11Keymap::load() const
{
    const int group = currentGroup(m_display);
    if (group == m_loadedGroup)
        return;
    m_loadedGroup = group;
    m_places.clear();
    m_levels.clear();
    m_spare.clear();
    // Asked afresh: Xlib's own copy is not kept up to date while Qt reads
    // the events.
    XkbDescPtr desc = XkbGetMap(m_display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!desc)
        return;
    for (int code = m_minCode; code <= m_maxCode; ++code) {
        const int groups = XkbKeyNumGroups(desc, code);
        if (groups == 0) {
            m_spare << unsigned(code);
            continue;
        }
        // Past its last group a key wraps round.
        const int g = group % groups;
        const int width = XkbKeyGroupWidth(desc, code, g);
        KeySym levels[2] = { NoSymbol, NoSymbol };
        for (int level = 0; level < 2 && level < width; ++level)
            levels[level] = XkbKeySymEntry(desc, code, level, g);
        m_levels.insert(unsigned(code), { levels[0], levels[1] });
        for (int level = 0; level < 2; ++level) {
            // The lowest code wins: the main keyboard before the keypad.
            if (levels[level] != NoSymbol && !m_places.contains(levels[level]))
                m_places.insert(levels[level], { unsigned(code), level });
        }
    }
    XkbFreeKeyboard(desc, 0, True);
    // Codes lent out are spare no longer.
    for (unsigned code : std::as_const(m_lentOrder))
        m_spare.removeAll(code);
}

std::optional<X11Keymap::Place> X11Keymap::find(x11::XKeySym keySym) const
{
    load();
    const auto it = m_places.constFind(keySym);
    if (it == m_places.constEnd())
        return std::nullopt;
    return *it;
}

CharKey X11Keymap::lookUp(x11::XKeySym keySym) const
{
    const std::optional<Place> place = find(keySym);
    if (!place)
        return {};
    KeySym lower = 0;
    KeySym upper = 0;
    XConvertCase(keySym, &lower, &upper);
    const auto [plain, shifted] = m_levels.value(place->keyCode);
    // A letter key: its two levels are the small and the capital letter.
    const bool letter = lower != upper && plain == lower && shifted == upper;
    return { letter ? CharKey::Kind::Letter : CharKey::Kind::Other, place->level == 1 };
}

QList<unsigned> X11Keymap::keyCodesWith(x11::XKeySym keySym) const
{
    QList<unsigned> codes;
    int perCode = 0;
    const int count = m_maxCode - m_minCode + 1;
    KeySym *core = XGetKeyboardMapping(m_display, KeyCode(m_minCode), count, &perCode);
    for (int code = m_minCode; core && code <= m_maxCode; ++code) {
        for (int i = 0; i < perCode; ++i) {
            if (core[(code - m_minCode) * perCode + i] == keySym) {
                codes << unsigned(code);
                break;
            }
        }
    }
    if (core)
        XFree(core);
    return codes;
}

unsigned X11Keymap::keyCodeFor(x11::XKeySym keySym)
{
    if (const auto it = m_lent.constFind(keySym); it != m_lent.constEnd())
        return *it;
    if (const std::optional<Place> place = find(keySym); place && place->level == 0)
        return place->keyCode;
    if (!lend({ keySym }))
        return 0;
    // Nobody had the time to learn the new key: give them a moment.
    usleep(30 * 1000);
    return m_lent.value(keySym);
}

bool X11Keymap::lend(const QList<x11::XKeySym> &keySyms)
{
    load();
    QList<std::pair<unsigned, x11::XKeySym>> changes;
    for (x11::XKeySym sym : keySyms) {
        if (m_lent.contains(sym) || find(sym))
            continue;
        unsigned code = 0;
        if (!m_spare.isEmpty()) {
            code = m_spare.takeFirst();
        } else if (!m_lentOrder.isEmpty()) {
            // All lent: the longest-lent code goes to the new symbol.
            code = m_lentOrder.takeFirst();
            m_lent.remove(m_lent.key(code));
        } else {
            continue;
        }
        m_lent.insert(sym, code);
        m_lentOrder << code;
        changes << std::pair { code, sym };
    }
    setCodes(changes);
    return !changes.isEmpty();
}

void X11Keymap::restore()
{
    QList<std::pair<unsigned, x11::XKeySym>> changes;
    for (unsigned code : std::as_const(m_lentOrder))
        changes << std::pair { code, x11::XKeySym(NoSymbol) };
    m_lent.clear();
    m_lentOrder.clear();
    setCodes(changes);
    m_loadedGroup = -1;
}

void X11Keymap::setCodes(const QList<std::pair<unsigned, x11::XKeySym>> &codes)
{
    if (codes.isEmpty())
        return;
    X11ErrorTrap trap(m_display);
    for (const auto &[code, sym] : codes) {
        // The same symbol on both levels: Shift and Caps Lock leave it alone.
        KeySym syms[2] = { sym, sym };
        XChangeKeyboardMapping(m_display, int(code), 2, syms, 1);
    }
    trap.sync();
    m_loadedGroup = -1;
}

x11::XKeySym X11Keymap::keySymOfCharacter(char32_t c)
{
    switch (c) {
    case U'\n':
    case U'\r':
        return XK_Return;
    case U'\t':
        return XK_Tab;
    case U'\b':
        return XK_BackSpace;
    default:
        break;
    }
    // Latin-1 has symbols of the same number; the rest of Unicode its own range.
    if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff))
        return c;
    return 0x01000000 | c;
}

} // namespace vesk
