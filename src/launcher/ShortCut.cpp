#include "launcher/ShortCut.h"

#include "platform/GlobalHotKeys.h"
#include "platform/VirtualKeys.h"

#include <Qt>

namespace vesk {
namespace {

struct KeyName
{
    int virtualKey;
    const char *name; // the short-cut text's name
    const char *portable; // QKeySequence's name
    int qtKey;
};

// Keys with a name of their own; letters, digits and F1-F24 are made up.
constexpr KeyName Names[] = {
    { vk::BackSpace, "BkSp", "Backspace", Qt::Key_Backspace },
    { vk::Tab, "Tab", "Tab", Qt::Key_Tab },
    { vk::Return, "Enter", "Return", Qt::Key_Return },
    { vk::Escape, "Esc", "Esc", Qt::Key_Escape },
    { vk::Space, "Space", "Space", Qt::Key_Space },
    { vk::PageUp, "PgUp", "PgUp", Qt::Key_PageUp },
    { vk::PageDown, "PgDn", "PgDown", Qt::Key_PageDown },
    { vk::End, "End", "End", Qt::Key_End },
    { vk::Home, "Home", "Home", Qt::Key_Home },
    { vk::Left, "Left", "Left", Qt::Key_Left },
    { vk::Up, "Up", "Up", Qt::Key_Up },
    { vk::Right, "Right", "Right", Qt::Key_Right },
    { vk::Down, "Down", "Down", Qt::Key_Down },
    { vk::Insert, "Ins", "Ins", Qt::Key_Insert },
    { vk::Delete, "Del", "Del", Qt::Key_Delete },
    { vk::Semicolon, ";", ";", Qt::Key_Semicolon },
    { vk::Equal, "=", "=", Qt::Key_Equal },
    { vk::Comma, ",", ",", Qt::Key_Comma },
    { vk::Minus, "-", "-", Qt::Key_Minus },
    { vk::Period, ".", ".", Qt::Key_Period },
    { vk::Slash, "/", "/", Qt::Key_Slash },
    { vk::Grave, "`", "`", Qt::Key_QuoteLeft },
    { vk::BracketLeft, "[", "[", Qt::Key_BracketLeft },
    { vk::Backslash, "\\", "\\", Qt::Key_Backslash },
    { vk::BracketRight, "]", "]", Qt::Key_BracketRight },
    { vk::Apostrophe, "'", "'", Qt::Key_Apostrophe },
};

QString keyName(int virtualKey, bool portable)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return QString(QChar(virtualKey));
    if (virtualKey >= vk::F1 && virtualKey <= vk::F24)
        return QStringLiteral("F%1").arg(virtualKey - vk::F1 + 1);
    for (const KeyName &k : Names) {
        if (k.virtualKey == virtualKey)
            return QString::fromLatin1(portable ? k.portable : k.name);
    }
    return {};
}

std::optional<int> keyOfName(const QString &name)
{
    if (name.size() == 1) {
        const QChar c = name.at(0).toUpper();
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
            return c.unicode();
    }
    if (name.size() >= 2 && name.at(0).toUpper() == u'F') {
        bool ok = false;
        const int n = name.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 24 && name.at(1).isDigit())
            return vk::F1 + n - 1;
    }
    for (const KeyName &k : Names) {
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0
            || name.compare(QLatin1String(k.portable), Qt::CaseInsensitive) == 0)
            return k.virtualKey;
    }
    return std::nullopt;
}

struct ModifierName
{
    int bit;
    QLatin1String text;
};

const ModifierName Modifiers[] = {
    { GlobalHotKeys::Shift, QLatin1String("Shift+") },
    { GlobalHotKeys::Ctrl, QLatin1String("Ctrl+") },
    { GlobalHotKeys::Alt, QLatin1String("Alt+") },
};

} // namespace

std::optional<ShortCut> ShortCut::fromText(const QString &text)
{
    ShortCut cut;
    QString rest = text.trimmed();
    for (bool found = true; found;) {
        found = false;
        for (const ModifierName &m : Modifiers) {
            // A lone "+" key after the modifiers stays the key.
            if (rest.size() > m.text.size() && rest.startsWith(m.text, Qt::CaseInsensitive)) {
                cut.modifiers |= m.bit;
                rest = rest.mid(m.text.size());
                found = true;
            }
        }
    }
    const std::optional<int> key = keyOfName(rest);
    if (!key)
        return std::nullopt;
    cut.virtualKey = *key;
    return cut;
}

std::optional<ShortCut> ShortCut::fromQtKey(int qtKey, bool shift, bool ctrl, bool alt)
{
    ShortCut cut;
    cut.modifiers = (shift ? GlobalHotKeys::Shift : 0) | (ctrl ? GlobalHotKeys::Ctrl : 0)
        | (alt ? GlobalHotKeys::Alt : 0);
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        cut.virtualKey = qtKey;
        return cut;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        cut.virtualKey = vk::F1 + (qtKey - Qt::Key_F1);
        return cut;
    }
    if (qtKey == Qt::Key_Enter) {
        cut.virtualKey = vk::Return;
        return cut;
    }
    if (qtKey == Qt::Key_Backtab) {
        cut.virtualKey = vk::Tab;
        return cut;
    }
    for (const KeyName &k : Names) {
        if (k.qtKey == qtKey) {
            cut.virtualKey = k.virtualKey;
            return cut;
        }
    }
    return std::nullopt;
}

QString ShortCut::text() const
{
    const QString name = keyName(virtualKey, false);
    if (name.isEmpty())
        return {};
    QString result;
    for (const ModifierName &m : Modifiers) {
        if (modifiers & m.bit)
            result += m.text;
    }
    return result + name;
}

QString ShortCut::portableText() const
{
    const QString name = keyName(virtualKey, true);
    if (name.isEmpty())
        return {};
    QString result;
    if (modifiers & GlobalHotKeys::Ctrl)
        result += QLatin1String("Ctrl+");
    if (modifiers & GlobalHotKeys::Alt)
        result += QLatin1String("Alt+");
    if (modifiers & GlobalHotKeys::Shift)
        result += QLatin1String("Shift+");
    return result + name;
}

int takenFunctionKey(const QString &shortCut, const QString &hotKey)
{
    const QString &from = shortCut.startsWith(u'F') ? shortCut : hotKey;
    if (!from.startsWith(u'F'))
        return 0;
    bool ok = false;
    const int n = from.mid(1, 2).toInt(&ok);
    return ok ? n : 0;
}

} // namespace vesk
