#pragma once

#include "boxes/BoxGrid.h"

#include <array>
#include <cstddef>
#include <optional>

namespace vesk {

// What the box window's list views report for the commands to act on: the
// rows selected in each list, which list has the focus, and whether Ctrl
// was held at the last mouse-down. Kept apart from the remembered row,
// which the window itself moves.
class BoxViewReport final
{
public:
    struct Selection
    {
        int top = -1;
        int bottom = -1;
        bool isValid() const { return top >= 0 && bottom >= top; }
    };

    Selection selection(Grid grid) const { return m_selections[std::size_t(grid)]; }
    void setSelection(Grid grid, int top, int bottom) { m_selections[std::size_t(grid)] = { top, bottom }; }
    std::optional<Grid> focusedGrid() const { return m_focused; }
    void setFocusedGrid(std::optional<Grid> grid) { m_focused = grid; }
    // Ctrl held at the last mouse-down on a list: moves copy.
    bool copyFlag() const { return m_copyFlag; }
    void setCopyFlag(bool copy) { m_copyFlag = copy; }

private:
    std::array<Selection, 4> m_selections;
    std::optional<Grid> m_focused;
    bool m_copyFlag = false;
};

} // namespace vesk
