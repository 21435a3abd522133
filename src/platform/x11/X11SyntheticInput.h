#pragma once

#include "platform/SyntheticInput.h"
#include "platform/x11/X11Keymap.h"

#include <QHash>

namespace vesk {

// Keystrokes and clicks through the XTest extension, typed through the
// current keyboard map; key state and Caps Lock from XKB; the clipboard
// through Qt.
class X11SyntheticInput final : public SyntheticInput
{
public:
    explicit X11SyntheticInput(Display *display);

    bool canAct() const override { return m_xtest; }
    void key(int virtualKey, bool down) override;
    void mouseButton(MouseButton button, bool down) override;
    CharKey lookUp(char32_t character) override;
    bool prepare(const std::u32string &characters) override;
    void characterKey(char32_t character, bool down) override;
    void restore() override;
    bool held(int virtualKey) const override;
    bool capsLockOn() const override;
    void setClipboardText(const QString &text) override;
    void pasteRequest() override;

private:
    void send(unsigned keyCode, bool down);

    Display *m_display;
    bool m_xtest = false;
    X11Keymap m_keymap;
    // The key codes a key character went down with, so that it comes up
    // with the same one.
    QHash<char32_t, unsigned> m_down;
    // The key codes of each key asked about by `held`.
    mutable QHash<int, QList<unsigned>> m_heldCodes;
};

} // namespace vesk
