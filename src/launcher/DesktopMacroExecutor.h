#pragma once

#include "launcher/MacroExecutor.h"

#include <functional>

namespace vesk {

class DesktopWindows;
class EventPump;
class Messenger;

// The executor that acts: keys and clicks through the desktop's synthetic
// input, windows through its window list, waits through the event pump.
class DesktopMacroExecutor final : public MacroExecutor
{
public:
    struct Hooks
    {
        // SCLOSE's target is the controller's to know.
        std::function<void()> closeLastStarted;
        // The program is ending: waits give up.
        std::function<bool()> ending;
    };

    DesktopMacroExecutor(
        SyntheticInput &input, DesktopWindows &windows, Messenger &messenger, EventPump &pump, Hooks hooks);

    void key(int virtualKey, bool down) override;
    void mouseButton(SyntheticInput::MouseButton button, bool down) override;
    CharKey lookUp(char32_t character) override;
    bool prepare(const std::u32string &text) override;
    void characterKey(char32_t character, bool down) override;
    bool held(int virtualKey) override;
    bool capsLockOn() override;
    void setClipboardText(const QString &text) override;
    void paste() override;
    quint64 foregroundWindow() override;
    bool windowGone(quint64 window) override;
    void closeLastStarted() override;
    void beep() override;
    void message(const QString &text) override;
    bool wait10x(int n) override;
    void finish() override;

private:
    SyntheticInput &m_input;
    DesktopWindows &m_windows;
    Messenger &m_messenger;
    EventPump &m_pump;
    Hooks m_hooks;
    bool m_prepared = false;
};

} // namespace vesk
