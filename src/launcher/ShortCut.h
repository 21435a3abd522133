#pragma once

#include <QString>

#include <optional>

namespace vesk {

// A key combination in the menu's short-cut text ("Ctrl+Alt+E", "F9",
// "Shift+PgDn"): modifiers and a virtual-key code.
struct ShortCut
{
    // GlobalHotKeys::Modifier bits: 1 Alt, 2 Ctrl, 4 Shift.
    int modifiers = 0;
    int virtualKey = 0;

    // Modifiers in any order and a key name, compared without regard to
    // case; nothing for an unknown key.
    static std::optional<ShortCut> fromText(const QString &text);
    // A key pressed with Qt's key code and modifiers; nothing for a key the
    // text form has no name for, or a modifier alone.
    static std::optional<ShortCut> fromQtKey(int qtKey, bool shift, bool ctrl, bool alt);

    // "Shift+Ctrl+Alt+" in this order, then the key's name.
    QString text() const;
    // The same for QKeySequence::fromString (PortableText).
    QString portableText() const;
    // Modifier code x 1000 + virtual-key code.
    int hotKeyId() const { return modifiers * 1000 + virtualKey; }
};

// The built-in function key an entry takes away from its menu item: from
// the short cut when it begins with "F", else from the hot key; the number
// its second and third characters make (0 when they make none).
int takenFunctionKey(const QString &shortCut, const QString &hotKey);

} // namespace vesk
