#pragma once

#include "boxes/BoxGrid.h"

#include <QStyledItemDelegate>

namespace vesk {

class BoxWindowModel;

// Draws a cell of a box list with the selection only where the window model says it shows (the focused list,
// or the remembered row of the active list while no list has the focus).
class BoxGridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    BoxGridDelegate(Grid grid, const BoxWindowModel &window, QObject *parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const Grid m_grid;
    const BoxWindowModel &m_window;
};

} // namespace vesk
