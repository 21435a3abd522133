#include "launcher/MacroCompiler.h"

#include "platform/VirtualKeys.h"

namespace vesk::macro {
namespace {

struct Token
{
    const char *name;
    MacroKey key;
};

constexpr MacroKey key(int virtualKey)
{
    return { MacroKey::Kind::Key, virtualKey };
}

// In this order the keys are looked for, go down and come up.
const Token Tokens[] = {
    { "SHT", key(vk::Shift) },
    { "CTL", key(vk::Control) },
    { "ALT", key(vk::Alt) },
    { "TAB", key(vk::Tab) },
    { "ENT", key(vk::Return) },
    { "ESC", key(vk::Escape) },
    { "UPP", key(vk::Up) },
    { "DWN", key(vk::Down) },
    { "LFT", key(vk::Left) },
    { "RGT", key(vk::Right) },
    { "MBL", { MacroKey::Kind::LeftButton, 0 } },
    { "MBR", { MacroKey::Kind::RightButton, 0 } },
    { "VF1", key(vk::F1) },
    { "VF2", key(vk::F1 + 1) },
    { "VF3", key(vk::F1 + 2) },
    { "VF4", key(vk::F1 + 3) },
    { "VF5", key(vk::F1 + 4) },
    { "VF6", key(vk::F1 + 5) },
    { "VF7", key(vk::F1 + 6) },
    { "VF8", key(vk::F1 + 7) },
    { "VF9", key(vk::F1 + 8) },
    { "BCK", key(vk::BackSpace) },
    { "DEL", key(vk::Delete) },
    { "INS", key(vk::Insert) },
    { "HOM", key(vk::Home) },
    { "END", key(vk::End) },
    { "PUP", key(vk::PageUp) },
    { "PDN", key(vk::PageDown) },
    { "KNJ", key(vk::Kanji) },
    { "SPC", key(vk::Space) },
    { "CMM", { MacroKey::Kind::CommaKey, 0 } },
    { "VFA", key(vk::F1 + 9) },
    { "VFB", key(vk::F1 + 10) },
    { "VFC", key(vk::F1 + 11) },
    { "VFD", key(vk::F1 + 12) },
    { "VFE", key(vk::F1 + 13) },
    { "VFF", key(vk::F1 + 14) },
};

MacroAction action(MacroAction::Kind kind, const QString &text = {}, int units = 0)
{
    MacroAction a;
    a.kind = kind;
    a.text = text;
    a.units = units;
    return a;
}

MacroAction wait(int units)
{
    return action(MacroAction::Kind::Wait, {}, units);
}

// Upper case for the ASCII letters only, so that positions found in it
// are positions in the step itself.
QString asciiUpper(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return upper;
}

// A number as the macro language reads it; nothing when it is none.
std::optional<int> number(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? std::optional(n) : std::nullopt;
}

void keyStep(MacroStep &step, QString rest)
{
    // a: the repeat count.
    int count = 1;
    const qsizetype open = rest.indexOf(u'[');
    const qsizetype close = rest.indexOf(u']');
    if (open >= 0 && close >= 0) {
        count = close > open ? number(rest.mid(open + 1, close - open - 1)).value_or(1) : 1;
        if (close > open)
            rest.remove(open, close - open + 1);
    }
    if (count > MaxRepeat) {
        step.actions = { action(MacroAction::Kind::Message, unusable(step.source)) };
        return;
    }

    // b: the tokens, each looked for once, in table order.
    QList<MacroKey> keys;
    bool combination = false;
    bool tab = false;
    for (const Token &token : Tokens) {
        const QString name = QString::fromLatin1(token.name);
        const QString upper = asciiUpper(rest);
        const bool joined = upper.contains(name + u'+');
        if (upper != name && !joined && !upper.contains(u'+' + name))
            continue;
        keys << token.key;
        tab = tab || token.key == key(vk::Tab);
        if (joined)
            combination = true;
        rest.remove(upper.indexOf(name), joined ? 4 : 3);
    }

    // c: count times: down, the text, up.
    const std::u32string text = rest.toStdU32String();
    for (int i = 0; i < count; ++i) {
        for (const MacroKey &k : keys) {
            MacroAction press = action(MacroAction::Kind::Press);
            press.key = k;
            step.actions << press;
        }
        if (tab)
            step.actions << wait(20);
        step.actions << action(MacroAction::Kind::CapsLock, rest);
        for (char32_t c : text) {
            MacroAction type = action(MacroAction::Kind::Type, QString::fromUcs4(&c, 1));
            type.combination = combination;
            step.actions << type;
        }
        for (const MacroKey &k : keys) {
            MacroAction release = action(MacroAction::Kind::Release);
            release.key = k;
            step.actions << release;
        }
        step.actions << wait(tab ? 10 : 1);
    }
}

} // namespace

QString unusable(const QString &step)
{
    return step + QStringLiteral(" はマクロで使えません");
}

MacroStep compileStep(const QString &text)
{
    using K = MacroAction::Kind;
    MacroStep step { text, {} };
    if (text.isEmpty())
        return step;
    const QString upper = asciiUpper(text);

    // Commands that need no wait for the user's keys.
    if (upper == QLatin1String("SCLOSE")) {
        step.actions << action(K::CloseLastStarted);
        return step;
    }
    if (upper.startsWith(QLatin1String("CPY(")) && text.endsWith(u')') && text.size() >= 5) {
        step.actions << action(K::Copy, text.mid(4, text.size() - 5));
        return step;
    }
    if (upper == QLatin1String("PST")) {
        step.actions << action(K::Paste);
        return step;
    }
    if (upper == QLatin1String("WAITDLG")) {
        step.actions << action(K::WaitDialog);
        return step;
    }
    if (upper == QLatin1String("BEEP")) {
        step.actions << action(K::Beep);
        return step;
    }

    // Everything else waits until the user has let go of Alt and Ctrl.
    step.actions << action(K::WaitForModifiers);
    if (upper.startsWith(QLatin1String("TIMER("))) {
        const qsizetype close = text.indexOf(u')');
        const int n = close > 6 ? number(text.mid(6, close - 6)).value_or(0) : 0;
        if (n == 0 || n > MaxTimer)
            step.actions << action(K::Message, unusable(text));
        else if (n > 0)
            step.actions << wait(10 * n);
        return step;
    }
    if (upper == QLatin1String("WAITENT")) {
        step.actions << action(K::WaitEnter);
        return step;
    }
    keyStep(step, text);
    return step;
}

CompiledMacro compile(const QString &macro)
{
    CompiledMacro steps;
    // The part after the last comma is a step too, empty or not.
    for (const QString &part : macro.split(u','))
        steps << compileStep(part);
    return steps;
}

} // namespace vesk::macro
