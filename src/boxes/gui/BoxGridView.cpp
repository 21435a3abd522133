#include "boxes/gui/BoxGridView.h"

#include "boxes/BoxWindowModel.h"
#include "boxes/gui/BoxGridDelegate.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QProxyStyle>

namespace vesk {
namespace {

// Rows are not highlighted as a whole: each cell's delegate decides.
class CellSelectionStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
        QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ItemView_ShowDecorationSelected)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget) const override
    {
        if (element == PE_PanelItemViewRow)
            return; // no row background: the lists use no alternating colours
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

BoxGridView::BoxGridView(Grid grid, BoxWindowModel &window, QWidget *parent)
    : QTableView(parent)
    , m_grid(grid)
    , m_window(window)
{
    setObjectName(gridName(grid));
    setModel(&window.list(grid));
    auto *style = new CellSelectionStyle;
    style->setParent(this);
    setStyle(style);
    setItemDelegate(new BoxGridDelegate(grid, window, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView *titles = horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(true);
    titles->setMinimumSectionSize(8);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setFixedHeight(fontMetrics().height() + 6);
    // The file name identifies the row but is never shown.
    setColumnHidden(0, true);
    connect(titles, &QHeaderView::sectionClicked, this, &BoxGridView::titleClicked);
    // Rows that come and go move or clear the selection, not always with a signal.
    for (auto signal : { &QAbstractItemModel::rowsRemoved, &QAbstractItemModel::rowsInserted })
        connect(model(), signal, this, &BoxGridView::reportSelection);
    connect(model(), &QAbstractItemModel::modelReset, this, &BoxGridView::reportSelection);
    connect(model(), &QAbstractItemModel::layoutChanged, this, &BoxGridView::reportSelection);
    connect(this, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &pos) { emit contextMenuWanted(viewport()->mapToGlobal(pos)); });
}

void BoxGridView::setTitleShown(bool shown)
{
    horizontalHeader()->setVisible(shown);
}

void BoxGridView::showRow(int row)
{
    if (row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(row, 1);
    if (currentIndex().row() != row || !selectionModel()->isRowSelected(row, {}))
        selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    viewport()->update();
}

void BoxGridView::mousePressEvent(QMouseEvent *event)
{
    m_window.viewReport().setCopyFlag(event->modifiers().testFlag(Qt::ControlModifier));
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressPos = event->position().toPoint();
    m_pressedOnRow = index.isValid() && event->button() == Qt::LeftButton;
    if (event->button() == Qt::RightButton) {
        // The row under the pointer becomes current, clamped to the last row.
        const int row = index.isValid() ? index.row() : model()->rowCount() - 1;
        setFocus(Qt::MouseFocusReason);
        if (!selectionModel()->isRowSelected(row, {}))
            showRow(row);
        m_window.setCurrent(m_grid, currentIndex().row());
        return;
    }
    QTableView::mousePressEvent(event);
    m_window.setCurrent(m_grid, currentIndex().row());
}

void BoxGridView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_pressedOnRow && (event->buttons() & Qt::LeftButton)
        && (event->position().toPoint() - m_pressPos).manhattanLength()
            >= QApplication::startDragDistance()) {
        m_pressedOnRow = false;
        if (!m_window.list(m_grid).isEmptyList())
            dragSelection();
        return;
    }
    if (!m_pressedOnRow)
        QTableView::mouseMoveEvent(event);
}

void BoxGridView::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressedOnRow = false;
    QTableView::mouseReleaseEvent(event);
}

void BoxGridView::dragSelection()
{
    auto *data = new QMimeData;
    data->setData(DragFormat, QByteArray::number(int(m_grid)));
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void BoxGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressedOnRow = false;
    if (index.isValid() && event->button() == Qt::LeftButton) {
        m_window.setCurrent(m_grid, index.row());
        emit rowDoubleClicked();
    }
}

void BoxGridView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    if (!event->text().isEmpty() && event->text()[0].isPrint() && event->key() != Qt::Key_Space)
        emit characterTyped(event->text()[0]);
    if (event->key() == Qt::Key_Space) {
        emit previewKey();
        return;
    }
    QTableView::keyPressEvent(event);
    m_window.setCurrent(m_grid, currentIndex().row());
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        emit previewKey();
}

void BoxGridView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    m_window.viewReport().setFocusedGrid(m_grid);
    m_window.setCurrent(m_grid, std::max(0, currentIndex().row()));
    viewport()->update();
}

void BoxGridView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (m_window.viewReport().focusedGrid() == m_grid)
        m_window.viewReport().setFocusedGrid(std::nullopt);
    viewport()->update();
}

bool BoxGridView::acceptsDrag(const QMimeData *data) const
{
    if (!data || !data->hasFormat(DragFormat))
        return false;
    return data->data(DragFormat).toInt() != int(m_grid);
}

void BoxGridView::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDrag(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void BoxGridView::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptsDrag(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void BoxGridView::dropEvent(QDropEvent *event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const std::optional<Grid> source = gridFromTag(event->mimeData()->data(DragFormat).toInt());
    if (source)
        emit droppedFrom(*source);
}

void BoxGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && hasFocus())
        m_window.setCurrent(m_grid, current.row());
}

void BoxGridView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTableView::selectionChanged(selected, deselected);
    reportSelection();
}

void BoxGridView::reportSelection()
{
    int top = -1;
    int bottom = -1;
    for (const QModelIndex &index : selectionModel()->selectedRows(1)) {
        top = top < 0 ? index.row() : std::min(top, index.row());
        bottom = std::max(bottom, index.row());
    }
    m_window.viewReport().setSelection(m_grid, top, bottom);
}

} // namespace vesk
