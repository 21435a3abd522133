#pragma once

#include "platform/SyntheticInput.h"

#include <QString>

namespace vesk {

// What running a macro does to the world: keys, clicks, the clipboard,
// windows, waits. The desktop's executor acts; a recording one in tests
// writes down what would have been done.
class MacroExecutor
{
public:
    virtual ~MacroExecutor() = default;

    virtual void key(int virtualKey, bool down) = 0;
    virtual void mouseButton(SyntheticInput::MouseButton button, bool down) = 0;
    virtual CharKey lookUp(char32_t character) = 0;
    // Readies the keys of a text; true when programs need a moment to learn them.
    virtual bool prepare(const std::u32string &text) = 0;
    virtual void characterKey(char32_t character, bool down) = 0;
    virtual bool held(int virtualKey) = 0;
    virtual bool capsLockOn() = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual void paste() = 0;
    // The foreground window now (0 none), and whether it has gone out of sight.
    virtual quint64 foregroundWindow() = 0;
    virtual bool windowGone(quint64 window) = 0;
    // SCLOSE: the program the launcher started last is asked to close.
    virtual void closeLastStarted() = 0;
    virtual void beep() = 0;
    virtual void message(const QString &text) = 0;
    // Wait10x: n times, serve the program's events and pause 10 ms. False
    // once the program is ending: the macro stops.
    virtual bool wait10x(int n) = 0;
    // The macro is over: spare keys are given back.
    virtual void finish() = 0;
};

} // namespace vesk
