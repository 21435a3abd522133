#pragma once

#include "launcher/MacroExecutor.h"

#include <QStringList>

namespace vesk::test {

// Writes down what a macro would do, as one line of words: "+Shift" and
// "-Shift" for a key going down and up, "+H" for the key of a character,
// "w20" for waits (consecutive ones added up), "beep", "msg:...",
// "copy:...", "paste", "sclose". Its keyboard is a US layout; Alt and Ctrl
// count as held for the first `modifiersHeldFor` wait units.
class RecordingExecutor final : public MacroExecutor
{
public:
    void key(int virtualKey, bool down) override;
    void mouseButton(SyntheticInput::MouseButton button, bool down) override;
    CharKey lookUp(char32_t character) override;
    bool prepare(const std::u32string &) override { return false; }
    void characterKey(char32_t character, bool down) override;
    bool held(int virtualKey) override;
    bool capsLockOn() override { return capsLock; }
    void setClipboardText(const QString &text) override { add(QStringLiteral("copy:") + text); }
    void paste() override { add(QStringLiteral("paste")); }
    quint64 foregroundWindow() override { return 1; }
    bool windowGone(quint64) override { return waited >= dialogGoneAfter; }
    void closeLastStarted() override { add(QStringLiteral("sclose")); }
    void beep() override { add(QStringLiteral("beep")); }
    void message(const QString &text) override { add(QStringLiteral("msg:") + text); }
    bool wait10x(int n) override;
    void finish() override { }

    QString log() const { return words.join(u' '); }

    bool capsLock = false;
    int modifiersHeldFor = 0;
    int enterAfter = 1 << 30;
    int dialogGoneAfter = 1 << 30;
    int waited = 0;
    QStringList words;

private:
    void add(const QString &word) { words << word; }
};

} // namespace vesk::test
