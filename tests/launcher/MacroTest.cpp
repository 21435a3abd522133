#include "RecordingExecutor.h"

#include "launcher/MacroCompiler.h"
#include "launcher/MacroRunner.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

struct MacroCase
{
    const char *macro;
    const char *typed;
    bool capsLock = false;
    int modifiersHeldFor = 0;
    int enterAfter = 1 << 30;
};

} // namespace

// What each macro types, key by key, with its waits (w = units of 10 ms).
TEST(Macro, TypesKeysInTheirOrderWithTheirWaits)
{
    const MacroCase cases[] = {
        { "ENT", "+Enter -Enter w1" },
        { "TAB[3]", "+Tab w20 -Tab w10 +Tab w20 -Tab w10 +Tab w20 -Tab w10" },
        { "CTL+ALT+DEL", "+Ctrl +Alt +Del -Ctrl -Alt -Del w1" },
        { "abc,ENT", "+a -a w1 +b -b w1 +c -c w2 +Enter -Enter w1" },
        // Caps Lock off: Shift only around the capital; on: around the small letters.
        { "Hello", "+Shift +H -H -Shift w1 +e -e w1 +l -l w1 +l -l w1 +o -o w2" },
        { "Hello",
            "+H -H w1 +Shift +e -e -Shift w1 +Shift +l -l -Shift w1 +Shift +l -l -Shift w1 +Shift +o -o "
            "-Shift w2",
            true },
        { "a!1", "+a -a w1 +Shift +! -! -Shift w1 +1 -1 w2" },
        // Keys joined by "+" decide alone: no Shift for the capital.
        { "CTL+S", "+Ctrl +S -S w1 -Ctrl w1" },
        { "ctl+s", "+Ctrl +s -s w1 -Ctrl w1" },
        // Without "+", a token's letters are text.
        { "SHTX",
            "+Shift +S -S -Shift w1 +Shift +H -H -Shift w1 +Shift +T -T -Shift w1 +Shift +X -X -Shift w2" },
        { "TIMER(30)", "w300" },
        { "TIMER(x)", "msg:TIMER(x) はマクロで使えません beep" },
        { "TIMER(0),ENT", "msg:TIMER(0) はマクロで使えません beep +Enter -Enter w1" },
        { "TIMER(-5)", "" },
        { "CPY(abc),PST", "copy:abc paste" },
        { "SCLOSE,BEEP", "sclose beep" },
        { "CMM", "+, -, w1" },
        { "MBL", "+MBL -MBL w1" },
        { "ENT,,ENT", "+Enter -Enter w1 +Enter -Enter w1" },
        { "ENT[0]", "" },
        { "[x]ENT", "+Enter -Enter w1" },
        // The layout lacks it: no Shift, its own key.
        { "日本", "+日 -日 w1 +本 -本 w2" },
        // A hot key's Ctrl and Alt are let go first; held on, the step is dropped.
        { "ENT", "w3 +Enter -Enter w1", false, 3 },
        { "ENT,TAB", "w1000", false, 100000 },
        // Absurd counts and waits are refused, not run for hours.
        { "ENT[1000]", "msg:ENT[1000] はマクロで使えません beep" },
        { "TIMER(99999)", "msg:TIMER(99999) はマクロで使えません beep" },
        // WAITENT waits for Enter, at most about a minute.
        { "WAITENT,a", "beep w42 +a -a w2", false, 0, 42 },
        { "WAITENT", "beep w6000" },
    };
    for (const MacroCase &c : cases) {
        RecordingExecutor executor;
        executor.capsLock = c.capsLock;
        executor.modifiersHeldFor = c.modifiersHeldFor;
        executor.enterAfter = c.enterAfter;
        EXPECT_TRUE(MacroRunner(executor).run(macro::compile(QString::fromUtf8(c.macro))));
        EXPECT_EQ(executor.log().toStdString(), c.typed) << c.macro << (c.capsLock ? " (Caps Lock)" : "");
    }
}

} // namespace vesk::test
