#pragma once

#include "boxes/BoxGrid.h"

#include <QPoint>
#include <QTableView>

namespace vesk {

class BoxWindowModel;

// One list of the box window (stgSend, stgReceive, ...): draws its list
// model and reports clicks, keys, the selection and drags to the window
// model. Rows are dragged onto another list to move them (Ctrl copies).
class BoxGridView final : public QTableView
{
    Q_OBJECT

public:
    static inline const QString DragFormat = QStringLiteral("application/x-vesk-box-rows");

    BoxGridView(Grid grid, BoxWindowModel &window, QWidget *parent = nullptr);

    Grid grid() const { return m_grid; }
    // Selects a row as the window model remembers it.
    void showRow(int row);
    // The title row shown or not (compact display).
    void setTitleShown(bool shown);

signals:
    void titleClicked(int column);
    void rowDoubleClicked();
    void droppedFrom(vesk::Grid source);
    void escapePressed();
    // Space, Up or Down moved the selection: the quick view follows.
    void previewKey();
    void contextMenuWanted(const QPoint &globalPos);
    void characterTyped(QChar character);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    // The window model learns the selection as it stands now.
    void reportSelection();
    bool acceptsDrag(const QMimeData *data) const;
    void dragSelection();

    const Grid m_grid;
    BoxWindowModel &m_window;
    QPoint m_pressPos;
    bool m_pressedOnRow = false;
};

} // namespace vesk
