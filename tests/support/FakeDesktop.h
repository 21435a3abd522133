#pragma once

#include "platform/DesktopServices.h"
#include "platform/DesktopWindows.h"
#include "platform/GlobalHotKeys.h"
#include "platform/ProcessLauncher.h"
#include "platform/SyntheticInput.h"

#include <QSet>
#include <QStringList>

namespace vesk::test {

// A desktop that writes down what was done to it: programs started
// ("program|switches|folder"), close requests, hot keys taken, keys typed
// ("+Enter", "-a").
class FakeDesktop final : public ProcessLauncher,
                          public DesktopWindows,
                          public GlobalHotKeys,
                          public SyntheticInput
{
public:
    DesktopServices services() { return { this, this, this, this }; }

    // ProcessLauncher: "missing" programs cannot start.
    std::optional<StartedProgram> start(
        const QString &program, const QString &switches, const QString &folder) override
    {
        starts << program + u'|' + switches + u'|' + folder;
        if (program.contains(QLatin1String("missing")))
            return std::nullopt;
        const StartedProgram started { ++lastPid, quint64(lastPid) * 7 };
        running_ << started.pid;
        return started;
    }
    bool running(const StartedProgram &program) const override { return running_.contains(program.pid); }

    // DesktopWindows: a running program shows its window at once.
    bool canAct() const override { return acting; }
    bool showsWindow(qint64 pid) const override { return running_.contains(pid); }
    bool hasFocus(qint64 pid) const override { return running_.contains(pid); }
    void requestClose(qint64 pid) override { closed << pid; }
    WindowId foreground() const override { return 1; }
    bool exists(WindowId) const override { return true; }
    bool visible(WindowId) const override { return true; }
    void activate(WindowId) override { }

    // GlobalHotKeys
    QString grab(int id, int, int) override
    {
        if (!acting || taken.contains(id))
            return QStringLiteral("taken");
        grabbed << id;
        return {};
    }
    void release(int id) override { grabbed.remove(id); }
    void press(int id) const { pressed(id); }

    // SyntheticInput: a US keyboard.
    void key(int virtualKey, bool down) override
    {
        typed << (down ? u'+' : u'-') + QString::number(virtualKey);
    }
    void mouseButton(MouseButton, bool) override { }
    CharKey lookUp(char32_t c) override
    {
        if (c >= U'a' && c <= U'z')
            return { CharKey::Kind::Letter, false };
        if (c >= U'A' && c <= U'Z')
            return { CharKey::Kind::Letter, true };
        return { CharKey::Kind::Other, false };
    }
    bool prepare(const std::u32string &) override { return false; }
    void characterKey(char32_t c, bool down) override
    {
        typed << (down ? u'+' : u'-') + QString::fromUcs4(&c, 1);
    }
    void restore() override { }
    bool held(int) const override { return false; }
    bool capsLockOn() const override { return false; }
    void setClipboardText(const QString &text) override { clipboard = text; }
    void pasteRequest() override { }

    bool acting = true;
    qint64 lastPid = 100;
    QSet<qint64> running_;
    QSet<int> taken;
    QSet<int> grabbed;
    QStringList starts;
    QList<qint64> closed;
    QStringList typed;
    QString clipboard;
};

} // namespace vesk::test
