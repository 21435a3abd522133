#include "platform/x11/X11SyntheticInput.h"

#include "platform/VirtualKeys.h"
#include "platform/x11/X11VirtualKeys.h"

#include <QClipboard>
#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace vesk {

X11SyntheticInput::X11SyntheticInput(Display *display)
    : m_display(display)
    , m_keymap(display)
{
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    m_xtest = XTestQueryExtension(m_display, &event, &error, &major, &minor);
}

void X11SyntheticInput::send(unsigned keyCode, bool down)
{
    if (!keyCode || !m_xtest)
        return;
    XTestFakeKeyEvent(m_display, keyCode, down ? True : False, CurrentTime);
    XFlush(m_display);
}

void X11SyntheticInput::key(int virtualKey, bool down)
{
    if (const x11::XKeySym sym = x11::keySymOf(virtualKey))
        send(m_keymap.keyCodeFor(sym), down);
}

void X11SyntheticInput::mouseButton(MouseButton button, bool down)
{
    if (!m_xtest)
        return;
    XTestFakeButtonEvent(m_display, button == MouseButton::Left ? 1 : 3, down ? True : False, CurrentTime);
    XFlush(m_display);
}

CharKey X11SyntheticInput::lookUp(char32_t character)
{
    return m_keymap.lookUp(X11Keymap::keySymOfCharacter(character));
}

bool X11SyntheticInput::prepare(const std::u32string &characters)
{
    m_keymap.refresh();
    m_heldCodes.clear();
    QList<x11::XKeySym> syms;
    for (char32_t c : characters)
        syms << X11Keymap::keySymOfCharacter(c);
    return m_keymap.lend(syms);
}

void X11SyntheticInput::characterKey(char32_t character, bool down)
{
    if (!down) {
        send(m_down.take(character), false);
        return;
    }
    const x11::XKeySym sym = X11Keymap::keySymOfCharacter(character);
    // Its own key at whatever level (the caller holds Shift as needed), or
    // a spare key lent to it.
    const std::optional<X11Keymap::Place> place = m_keymap.find(sym);
    const unsigned code = place ? place->keyCode : m_keymap.keyCodeFor(sym);
    m_down.insert(character, code);
    send(code, true);
}

void X11SyntheticInput::restore()
{
    m_keymap.restore();
}

bool X11SyntheticInput::held(int virtualKey) const
{
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    auto codes = m_heldCodes.constFind(virtualKey);
    if (codes == m_heldCodes.constEnd()) {
        QList<unsigned> found;
        for (x11::XKeySym sym : x11::heldKeySymsOf(virtualKey))
            found += m_keymap.keyCodesWith(sym);
        codes = m_heldCodes.insert(virtualKey, found);
    }
    for (unsigned code : *codes) {
        if (code < 256 && (keys[code / 8] & (1 << (code % 8))))
            return true;
    }
    return false;
}

bool X11SyntheticInput::capsLockOn() const
{
    XkbStateRec state;
    if (XkbGetState(m_display, XkbUseCoreKbd, &state) != Success)
        return false;
    return state.locked_mods & LockMask;
}

void X11SyntheticInput::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void X11SyntheticInput::pasteRequest()
{
    // X has no paste message: the paste key does the same in every program.
    key(vk::Control, true);
    characterKey(U'v', true);
    characterKey(U'v', false);
    key(vk::Control, false);
}

} // namespace vesk
