#include "launcher/DesktopMacroExecutor.h"

#include "platform/DesktopWindows.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"

namespace vesk {

DesktopMacroExecutor::DesktopMacroExecutor(
    SyntheticInput &input, DesktopWindows &windows, Messenger &messenger, EventPump &pump, Hooks hooks)
    : m_input(input)
    , m_windows(windows)
    , m_messenger(messenger)
    , m_pump(pump)
    , m_hooks(std::move(hooks))
{ }

void DesktopMacroExecutor::key(int virtualKey, bool down)
{
    m_input.key(virtualKey, down);
}

void DesktopMacroExecutor::mouseButton(SyntheticInput::MouseButton button, bool down)
{
    m_input.mouseButton(button, down);
}

CharKey DesktopMacroExecutor::lookUp(char32_t character)
{
    return m_input.lookUp(character);
}

bool DesktopMacroExecutor::prepare(const std::u32string &text)
{
    const bool changed = m_input.prepare(text);
    m_prepared = m_prepared || changed;
    return changed;
}

void DesktopMacroExecutor::characterKey(char32_t character, bool down)
{
    m_input.characterKey(character, down);
}

bool DesktopMacroExecutor::held(int virtualKey)
{
    return m_input.held(virtualKey);
}

bool DesktopMacroExecutor::capsLockOn()
{
    return m_input.capsLockOn();
}

void DesktopMacroExecutor::setClipboardText(const QString &text)
{
    m_input.setClipboardText(text);
}

void DesktopMacroExecutor::paste()
{
    m_input.pasteRequest();
}

quint64 DesktopMacroExecutor::foregroundWindow()
{
    return m_windows.foreground();
}

bool DesktopMacroExecutor::windowGone(quint64 window)
{
    // A dialog that was destroyed has gone as much as one that was hidden.
    return window == 0 || !m_windows.exists(window) || !m_windows.visible(window);
}

void DesktopMacroExecutor::closeLastStarted()
{
    if (m_hooks.closeLastStarted)
        m_hooks.closeLastStarted();
}

void DesktopMacroExecutor::beep()
{
    m_messenger.beep();
}

void DesktopMacroExecutor::message(const QString &text)
{
    m_messenger.message(text);
}

bool DesktopMacroExecutor::wait10x(int n)
{
    const auto ending = [this] { return m_hooks.ending && m_hooks.ending(); };
    if (ending())
        return false;
    return !m_pump.waitUntil(ending, n, 10);
}

void DesktopMacroExecutor::finish()
{
    if (!m_prepared)
        return;
    // The last keys typed may still wait in the target's queue, read with
    // the changed keyboard: give it time before taking the keys back.
    m_pump.waitUntil([] { return false; }, 10, 10);
    m_input.restore();
    m_prepared = false;
}

} // namespace vesk
