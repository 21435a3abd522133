#pragma once

#include <QList>
#include <QString>

namespace vesk {

// A key a macro token holds down: a virtual key, a mouse button, or the key
// that types "," on the current layout.
struct MacroKey
{
    enum class Kind { Key, LeftButton, RightButton, CommaKey };
    Kind kind = Kind::Key;
    int virtualKey = 0;
    bool operator==(const MacroKey &) const = default;
};

// One thing a macro does, in the order it does it.
struct MacroAction
{
    enum class Kind {
        WaitForModifiers, // until Alt and Ctrl are let go; else the rest of the step is dropped
        Press,
        Release,
        CapsLock, // before a text (`text`): learn the Caps Lock state, ready its keys
        Type, // one character (`text`), Shift as the layout and Caps Lock need
        Wait, // `units` x 10 ms, serving events
        Beep,
        Message, // `text` shown with a beep
        Copy, // `text` onto the clipboard
        Paste,
        CloseLastStarted,
        WaitDialog, // until the foreground window goes (or Esc), at most a minute
        WaitEnter, // until Enter or Esc, at most a minute
    };
    Kind kind = Kind::Wait;
    MacroKey key;
    QString text;
    int units = 0;
    // The step joined its keys with "+": no Shift is added to its text.
    bool combination = false;
};

// A macro's steps (the parts between its commas), each a list of actions.
struct MacroStep
{
    QString source;
    QList<MacroAction> actions;
};

using CompiledMacro = QList<MacroStep>;

} // namespace vesk
