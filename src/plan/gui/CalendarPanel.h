#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;

namespace vesk {

class CalendarGrid;
class PlanHost;

// pnlCal: the month calendar that the strip shows below its title bar. The
// title with "<<" and ">>", the weekday headers and day cells, and the
// buttons "Today", "休" (holiday planning) and "閉じる". It draws the
// controller's calendar and forwards every click.
class CalendarPanel final : public QWidget
{
    Q_OBJECT

public:
    // `chooseColour` asks the user for a colour (the standard colour dialog
    // unless a test puts something else); an invalid colour is a cancel.
    using ColourChooser = std::function<QColor(const QColor &initial, int number)>;
    explicit CalendarPanel(PlanHost &host, QWidget *parent = nullptr);

    void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }
    CalendarGrid *grid() const { return m_grid; }
    QString titleText() const;
    bool planningShown() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void redraw();
    void chooseColour(int number);

    PlanHost &m_c;
    QLabel *m_pnlToday;
    QToolButton *m_spbPriv;
    QToolButton *m_spbNext;
    CalendarGrid *m_grid;
    QToolButton *m_spbToday;
    QToolButton *m_spbHLDset;
    QToolButton *m_spbCalClose;
    ColourChooser m_chooseColour;
};

} // namespace vesk
