#pragma once

#include <QWidget>

namespace vesk {

class PlanHost;

// The weekday headers (pnlWeek1..7) and the 42 day cells (pnlDay1..42) of
// the calendar, drawn from the controller's calendar state. Clicks on cells
// and double-clicks on headers go back as the cell's or header's number.
class CalendarGrid final : public QWidget
{
    Q_OBJECT

public:
    explicit CalendarGrid(const PlanHost &host, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Cell n (1-42) and header n (1-7) on the widget.
    QRect cellRect(int cell) const;
    QRect headerRect(int header) const;

signals:
    void dayClicked(int cell);
    void dayDoubleClicked(int cell);
    void headerDoubleClicked(int header);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    int cellAt(const QPoint &pos) const;
    int headerAt(const QPoint &pos) const;
    QSize cellSize() const;

    const PlanHost &m_c;
};

} // namespace vesk
