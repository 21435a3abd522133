// Arbitrary lines as section Luncher (a hand-edited settings file): the
// table builds, the comma text of what was read writes and reads back the
// same, short cuts round-trip, and every field run as a macro ends within
// bounded work.
#include "launcher/LauncherTable.h"
#include "launcher/LuncherText.h"
#include "launcher/MacroCompiler.h"
#include "launcher/MacroExecutor.h"
#include "launcher/MacroRunner.h"
#include "launcher/ShortCut.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Does nothing, counts everything.
class CountingExecutor final : public vesk::MacroExecutor
{
public:
    void key(int, bool) override { ++events; }
    void mouseButton(vesk::SyntheticInput::MouseButton, bool) override { ++events; }
    vesk::CharKey lookUp(char32_t c) override
    {
        return { c % 3 == 0 ? vesk::CharKey::Kind::Letter : vesk::CharKey::Kind::Other, c % 2 == 0 };
    }
    bool prepare(const std::u32string &) override { return false; }
    void characterKey(char32_t, bool) override { ++events; }
    bool held(int) override { return false; }
    bool capsLockOn() override { return false; }
    void setClipboardText(const QString &) override { }
    void paste() override { }
    quint64 foregroundWindow() override { return 0; }
    bool windowGone(quint64) override { return true; }
    void closeLastStarted() override { }
    void beep() override { }
    void message(const QString &) override { }
    bool wait10x(int n) override
    {
        waited += n;
        return true;
    }
    void finish() override { }

    long long events = 0;
    long long waited = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vesk;
    const QStringList lines
        = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(u'\n');
    const LauncherTable table = LauncherTable::fromLines(lines);
    if (table.count() != lines.size())
        std::abort();
    for (const QString &line : lines) {
        const QStringList fields = luncher::splitCommaText(line);
        if (luncher::splitCommaText(luncher::commaText(fields)) != fields)
            std::abort();
        if (const std::optional<ShortCut> cut = ShortCut::fromText(line)) {
            const std::optional<ShortCut> again = ShortCut::fromText(cut->text());
            if (!again || again->modifiers != cut->modifiers || again->virtualKey != cut->virtualKey)
                std::abort();
        }
    }
    // A macro as the launcher keeps it: under 128 characters; at most a
    // few thousand keys and a bounded wait, never hours.
    for (const LauncherEntry &entry : table.entries()) {
        CountingExecutor executor;
        MacroRunner(executor).run(macro::compile(entry.macro));
        if (executor.events > 200000 || executor.waited > 64 * 10 * macro::MaxTimer + 200000)
            std::abort();
    }
    return 0;
}
