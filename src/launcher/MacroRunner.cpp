#include "launcher/MacroRunner.h"

#include "launcher/MacroCompiler.h"
#include "launcher/MacroExecutor.h"
#include "platform/VirtualKeys.h"

namespace vesk {

MacroRunner::MacroRunner(MacroExecutor &executor)
    : m_executor(executor)
{ }

bool MacroRunner::run(const CompiledMacro &macro)
{
    bool stopped = false;
    for (const MacroStep &step : macro) {
        m_checksUsed = 0;
        for (const MacroAction &action : step.actions) {
            const Outcome outcome = perform(action);
            if (outcome == Outcome::DropStep)
                break;
            if (outcome == Outcome::Stop) {
                stopped = true;
                break;
            }
        }
        if (stopped)
            break;
    }
    m_executor.finish();
    return !stopped;
}

MacroRunner::Outcome MacroRunner::perform(const MacroAction &action)
{
    using K = MacroAction::Kind;
    switch (action.kind) {
    case K::WaitForModifiers:
        for (m_checksUsed = 0; m_checksUsed < macro::ModifierChecks; ++m_checksUsed) {
            if (!m_executor.held(vk::Alt) && !m_executor.held(vk::Control))
                return Outcome::Next;
            if (!m_executor.wait10x(1))
                return Outcome::Stop;
        }
        return m_executor.held(vk::Alt) || m_executor.held(vk::Control) ? Outcome::DropStep : Outcome::Next;
    case K::Press:
    case K::Release:
        press(action.key, action.kind == K::Press);
        return Outcome::Next;
    case K::CapsLock:
        m_capsLock = m_executor.capsLockOn();
        // Keys that the layout lacks are made before the text; programs
        // need a moment to learn the changed keyboard.
        if (!action.text.isEmpty() && m_executor.prepare(action.text.toStdU32String())
            && !m_executor.wait10x(5))
            return Outcome::Stop;
        return Outcome::Next;
    case K::Type: {
        const std::u32string text = action.text.toStdU32String();
        if (text.empty())
            return Outcome::Next;
        type(text.front(), action.combination);
        return m_executor.wait10x(1) ? Outcome::Next : Outcome::Stop;
    }
    case K::Wait:
        return m_executor.wait10x(action.units) ? Outcome::Next : Outcome::Stop;
    case K::Beep:
        m_executor.beep();
        return Outcome::Next;
    case K::Message:
        m_executor.message(action.text);
        m_executor.beep();
        return Outcome::Next;
    case K::Copy:
        m_executor.setClipboardText(action.text);
        return Outcome::Next;
    case K::Paste:
        m_executor.paste();
        return Outcome::Next;
    case K::CloseLastStarted:
        m_executor.closeLastStarted();
        return Outcome::Next;
    case K::WaitDialog: {
        const quint64 window = m_executor.foregroundWindow();
        m_executor.beep();
        return waitFor(
            macro::WaitChecks, [&] { return m_executor.windowGone(window) || m_executor.held(vk::Escape); });
    }
    case K::WaitEnter:
        m_executor.beep();
        return waitFor(macro::WaitChecks - m_checksUsed,
            [&] { return m_executor.held(vk::Return) || m_executor.held(vk::Escape); });
    }
    return Outcome::Next;
}

MacroRunner::Outcome MacroRunner::waitFor(int checks, const std::function<bool()> &done)
{
    // Every 10 ms rather than every 100: a key tapped between two checks
    // would otherwise go unseen.
    for (int i = 0; i < checks; ++i) {
        for (int unit = 0; unit < 10; ++unit) {
            if (!m_executor.wait10x(1))
                return Outcome::Stop;
            if (done())
                return Outcome::Next;
        }
    }
    return Outcome::Next;
}

void MacroRunner::press(const MacroKey &key, bool down)
{
    switch (key.kind) {
    case MacroKey::Kind::Key:
        m_executor.key(key.virtualKey, down);
        break;
    case MacroKey::Kind::LeftButton:
        m_executor.mouseButton(SyntheticInput::MouseButton::Left, down);
        break;
    case MacroKey::Kind::RightButton:
        m_executor.mouseButton(SyntheticInput::MouseButton::Right, down);
        break;
    case MacroKey::Kind::CommaKey:
        m_executor.characterKey(U',', down);
        break;
    }
}

void MacroRunner::type(char32_t character, bool combination)
{
    // With keys joined by "+", the held tokens alone decide: CTL+S and
    // CTL+s are both Ctrl with the S key.
    bool shift = false;
    if (!combination) {
        const CharKey where = m_executor.lookUp(character);
        switch (where.kind) {
        case CharKey::Kind::Letter:
            // Caps Lock swaps the letter's levels.
            shift = where.shifted != m_capsLock;
            break;
        case CharKey::Kind::Other:
            shift = where.shifted;
            break;
        case CharKey::Kind::Unmapped:
            break;
        }
    }
    if (shift)
        m_executor.key(vk::Shift, true);
    m_executor.characterKey(character, true);
    m_executor.characterKey(character, false);
    if (shift)
        m_executor.key(vk::Shift, false);
}

} // namespace vesk
