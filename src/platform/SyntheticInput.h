#pragma once

#include <QString>

namespace vesk {

// Where a character sits on the current keyboard layout.
struct CharKey
{
    enum class Kind {
        Letter, // a key with a lower- and an upper-case letter (Caps Lock swaps them)
        Other, // any other key that types it without AltGr
        Unmapped, // no key types it on its own: it gets a spare key
    };
    Kind kind = Kind::Unmapped;
    // It is the key's Shift level.
    bool shifted = false;
};

// Keystrokes and mouse clicks as if the user made them, into whatever
// window has the focus; the keyboard's state; the clipboard.
class SyntheticInput
{
public:
    enum class MouseButton { Left, Right };

    virtual ~SyntheticInput() = default;
    // False where the desktop refuses synthetic input (Wayland).
    virtual bool canAct() const = 0;
    // A key named by its virtual-key code (VirtualKeys.h), down or up.
    virtual void key(int virtualKey, bool down) = 0;
    // At the pointer's current position.
    virtual void mouseButton(MouseButton button, bool down) = 0;
    virtual CharKey lookUp(char32_t character) = 0;
    // Makes the keys that these characters need ready (a character the
    // layout lacks gets a spare key). True when the keyboard map changed:
    // programs then need a moment to learn it.
    virtual bool prepare(const std::u32string &characters) = 0;
    // The key that types `character` (whatever its level), down or up.
    virtual void characterKey(char32_t character, bool down) = 0;
    // Gives the spare keys back.
    virtual void restore() = 0;
    // The key is held down now.
    virtual bool held(int virtualKey) const = 0;
    virtual bool capsLockOn() const = 0;
    virtual void setClipboardText(const QString &text) = 0;
    // Asks the focused window to paste.
    virtual void pasteRequest() = 0;
};

// Where nothing can be typed.
class NoSyntheticInput final : public SyntheticInput
{
public:
    bool canAct() const override { return false; }
    void key(int, bool) override { }
    void mouseButton(MouseButton, bool) override { }
    CharKey lookUp(char32_t) override { return {}; }
    bool prepare(const std::u32string &) override { return false; }
    void characterKey(char32_t, bool) override { }
    void restore() override { }
    bool held(int) const override { return false; }
    bool capsLockOn() const override { return false; }
    void setClipboardText(const QString &) override { }
    void pasteRequest() override { }
};

} // namespace vesk
