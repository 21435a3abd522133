#pragma once

#include "launcher/MacroAction.h"

#include <functional>

namespace vesk {

class MacroExecutor;

// Runs a compiled macro on an executor: the Shift rules of typed text, the
// Caps Lock state, the wait for the user's Alt and Ctrl, the bounded waits
// for Enter and for a dialog.
class MacroRunner final
{
public:
    explicit MacroRunner(MacroExecutor &executor);

    // False when the program began to end and the macro stopped.
    bool run(const CompiledMacro &macro);

private:
    enum class Outcome { Next, DropStep, Stop };
    Outcome perform(const MacroAction &action);
    void press(const MacroKey &key, bool down);
    void type(char32_t character, bool combination);
    // Polls `done` every 10 ms for up to `checks` x 100 ms.
    Outcome waitFor(int checks, const std::function<bool()> &done);

    MacroExecutor &m_executor;
    bool m_capsLock = false;
    // Checks the Alt/Ctrl wait of the current step used.
    int m_checksUsed = 0;
};

} // namespace vesk
