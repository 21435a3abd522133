#pragma once

#include "boxes/BoxGrid.h"

#include <QString>

namespace vesk {

// What a double-click in each list of the box window does, and the hint
// that says so, for the window's state when asked: both follow whether the
// quick view is open and whether two mailers are used.
class BoxDoubleClick final
{
public:
    enum class Action { OpenQuickView, ShowInQuickView, Mailer1, Mailer2 };

    BoxDoubleClick(bool quickViewOpen, bool twoMailers)
        : m_quickViewOpen(quickViewOpen)
        , m_twoMailers(twoMailers)
    { }

    Action action(Grid grid) const;
    QString hint(Grid grid) const;

private:
    bool m_quickViewOpen;
    bool m_twoMailers;
};

} // namespace vesk
