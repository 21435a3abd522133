#include "boxes/gui/BoxGridDelegate.h"

#include "boxes/BoxWindowModel.h"

namespace vesk {

BoxGridDelegate::BoxGridDelegate(Grid grid, const BoxWindowModel &window, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_grid(grid)
    , m_window(window)
{ }

void BoxGridDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    const bool shown = m_window.drawsSelected(m_grid, index.row(), selected);
    option->state.setFlag(QStyle::State_Selected, shown);
    option->state.setFlag(QStyle::State_HasFocus, false);
    // Highlighted in the active colours even while the list has no focus.
    if (shown)
        option->state.setFlag(QStyle::State_Active, true);
}

} // namespace vesk
