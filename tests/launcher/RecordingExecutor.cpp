#include "RecordingExecutor.h"

#include "platform/VirtualKeys.h"

namespace vesk::test {
namespace {

QString keyName(int virtualKey)
{
    switch (virtualKey) {
    case vk::Shift:
        return QStringLiteral("Shift");
    case vk::Control:
        return QStringLiteral("Ctrl");
    case vk::Alt:
        return QStringLiteral("Alt");
    case vk::Tab:
        return QStringLiteral("Tab");
    case vk::Return:
        return QStringLiteral("Enter");
    case vk::Escape:
        return QStringLiteral("Esc");
    case vk::Delete:
        return QStringLiteral("Del");
    default:
        return QStringLiteral("vk%1").arg(virtualKey);
    }
}

} // namespace

void RecordingExecutor::key(int virtualKey, bool down)
{
    add((down ? u'+' : u'-') + keyName(virtualKey));
}

void RecordingExecutor::mouseButton(SyntheticInput::MouseButton button, bool down)
{
    add((down ? u'+' : u'-')
        + (button == SyntheticInput::MouseButton::Left ? QStringLiteral("MBL") : QStringLiteral("MBR")));
}

CharKey RecordingExecutor::lookUp(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return { CharKey::Kind::Letter, false };
    if (c >= U'A' && c <= U'Z')
        return { CharKey::Kind::Letter, true };
    if (c < 0x80 && QByteArrayView("~!@#$%^&*()_+{}|:\"<>?").contains(char(c)))
        return { CharKey::Kind::Other, true };
    if (c >= 0x20 && c < 0x7f)
        return { CharKey::Kind::Other, false };
    return { CharKey::Kind::Unmapped, false };
}

void RecordingExecutor::characterKey(char32_t character, bool down)
{
    add((down ? u'+' : u'-') + QString::fromUcs4(&character, 1));
}

bool RecordingExecutor::held(int virtualKey)
{
    if (virtualKey == vk::Alt || virtualKey == vk::Control)
        return waited < modifiersHeldFor;
    if (virtualKey == vk::Return)
        return waited >= enterAfter;
    return false;
}

bool RecordingExecutor::wait10x(int n)
{
    waited += n;
    if (!words.isEmpty() && words.last().startsWith(u'w') && words.last().mid(1).toInt() > 0)
        words.last() = QStringLiteral("w%1").arg(words.last().mid(1).toInt() + n);
    else
        add(QStringLiteral("w%1").arg(n));
    return true;
}

} // namespace vesk::test
