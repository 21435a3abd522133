#pragma once

#include "display/StripRules.h"
#include "settings/ColorValue.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;

namespace vesk {

class Controller;

// TVeskMainForm: the small frameless always-on-top strip. Its title bar
// shows the date, the clock, the status marker, the OK button and the close
// button; below it the new-mail animation, the calendar or the dial-up panel,
// as the controller's layout says. It draws the controller's state and sends
// the user's clicks and keys back as commands.
class VeskMainForm final : public QWidget
{
    Q_OBJECT

public:
    explicit VeskMainForm(Controller &controller, QWidget *parent = nullptr);

    // Without a tray icon the strip is the only way in: it stays visible.
    void setTrayAvailable(bool available);
    // Window managers that refuse to keep windows on top or in place
    // (Wayland) make the position rules moot.
    void setPositionsHonoured(bool honoured) { m_positionsHonoured = honoured; }
    // The date and clock in a colour being chosen in the settings dialog,
    // until the next redraw.
    void previewClockColor(ColorValue color);

    // What is shown, for tests and screenshots.
    QString dateText() const;
    QString timeText() const;
    QString markerText() const;
    QString okText() const;
    QString dialPanelText() const;
    bool closeButtonShown() const;
    StripLayout shownLayout() const { return m_shownLayout; }

    // PosiDisp: the position mode applied to the strip.
    void applyPosition();
    // The calendar (pnlCal) shown in the calendar layout; the strip owns it.
    void setCalendarPanel(QWidget *panel);
    // The picture area (ImgPop) shown in the mail layout; the strip owns it.
    void setAnimationView(QWidget *view);

signals:
    void menuRequested(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void redraw();
    void applyLook();
    void applyVisibility();
    void focusChanged(bool active);
    bool inAnimationArea(const QPoint &pos) const;
    void savePosition();

    Controller &m_c;
    QWidget *m_pnlTop;
    QLabel *m_lblDate;
    QLabel *m_lblTime;
    QLabel *m_lblDot;
    QToolButton *m_spbOK;
    QToolButton *m_spbClose;
    QWidget *m_pnlBot; // the animation area, holding ImgPop
    QWidget *m_pnlCal;
    QLabel *m_pnlDial;

    StripLayout m_shownLayout = StripLayout::Normal;
    bool m_trayAvailable = true;
    bool m_positionsHonoured = true;
    bool m_active = false;
    bool m_topmost = true;

    // A single click on the animation area waits this long for a second one.
    static constexpr int DoubleClickWaitMs = 400;
    QTimer m_singleClick;
    // The same wait for single clicks on the title bar and the dial-up panel
    // while the line is up.
    QTimer m_titleClick;
    QTimer m_panelClick;
    // Dragging in the free position mode.
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace vesk
