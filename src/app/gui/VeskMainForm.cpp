#include "app/gui/VeskMainForm.h"

#include "app/Controller.h"
#include "app/MailerController.h"
#include "app/gui/StripLook.h"
#include "dialup/ConnectionControl.h"
#include "dialup/DialPanel.h"
#include "plan/PlanController.h"
#include "platform/WindowPlace.h"
#include "platform/gui/WindowPlacement.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace vesk {
namespace {

QLabel *makeLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QToolButton *makeButton(QWidget *parent, const QString &text)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

VeskMainForm::VeskMainForm(Controller &controller, QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
    , m_c(controller)
    , m_pnlTop(new QWidget(this))
    , m_lblDate(makeLabel(m_pnlTop))
    , m_lblTime(makeLabel(m_pnlTop))
    , m_lblDot(makeLabel(m_pnlTop))
    , m_spbOK(makeButton(m_pnlTop, QString()))
    , m_spbClose(makeButton(m_pnlTop, QStringLiteral("×")))
    , m_pnlBot(new QWidget(this))
    , m_pnlCal(new QWidget(this))
    , m_pnlDial(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Vesk"));
    setObjectName(QStringLiteral("TVeskMainForm"));
    // The other windows are placed clear of it.
    windowplace::setStrip(this);
    setFocusPolicy(Qt::StrongFocus);
    m_pnlTop->setAutoFillBackground(true);
    m_spbClose->setToolTip(QStringLiteral("Veskを終了します"));

    auto *title = new QHBoxLayout(m_pnlTop);
    title->setContentsMargins(4, 1, 2, 1);
    title->setSpacing(2);
    title->addWidget(m_lblDate);
    title->addWidget(m_lblTime);
    title->addWidget(m_lblDot);
    title->addWidget(m_spbOK);
    title->addWidget(m_spbClose);

    m_pnlBot->setAutoFillBackground(true);
    m_pnlBot->setBackgroundRole(QPalette::Base);
    (new QVBoxLayout(m_pnlBot))->setContentsMargins(0, 0, 0, 0);
    (new QVBoxLayout(m_pnlCal))->setContentsMargins(0, 0, 0, 0);
    m_pnlDial->setAlignment(Qt::AlignCenter);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(m_pnlTop);
    column->addWidget(m_pnlBot);
    column->addWidget(m_pnlCal);
    column->addWidget(m_pnlDial);

    m_singleClick.setSingleShot(true);
    m_singleClick.setInterval(DoubleClickWaitMs);
    connect(&m_singleClick, &QTimer::timeout, this, [this] { m_c.stopAnimation(); });
    for (QTimer *timer : { &m_titleClick, &m_panelClick }) {
        timer->setSingleShot(true);
        timer->setInterval(DoubleClickWaitMs);
    }
    connect(&m_titleClick, &QTimer::timeout, this, [this] { m_c.dialUp().titleClicked(); });
    connect(&m_panelClick, &QTimer::timeout, this, [this] { m_c.dialUp().panelClicked(); });

    connect(m_spbClose, &QToolButton::clicked, this, [this] { m_c.quit(); });
    connect(m_spbOK, &QToolButton::clicked, this, [this] {
        // spbOKClick
        if (m_spbOK->text() == QLatin1String("Saw"))
            m_c.strip().acknowledgePlanAlert();
        else
            m_c.hangUp();
    });
    connect(&m_c.strip(), &StripController::displayChanged, this, &VeskMainForm::redraw);
    connect(&m_c.strip(), &StripController::markerChanged, this, &VeskMainForm::redraw);
    connect(&m_c, &Controller::mailIndicationChanged, this, &VeskMainForm::redraw);
    connect(&m_c, &Controller::dialUpChanged, this, &VeskMainForm::redraw);
    connect(&m_c, &Controller::settingsChanged, this, [this] {
        applyLook();
        redraw();
        applyPosition();
    });
    connect(&m_c, &Controller::raiseRequested, this, [this] {
        show();
        raise();
        activateWindow();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
        [this](Qt::ApplicationState state) { focusChanged(state == Qt::ApplicationActive); });
    connect(&m_c, &Controller::finished, this, [this] { savePosition(); });
    applyLook();
    redraw();
}

void VeskMainForm::setCalendarPanel(QWidget *panel)
{
    m_pnlCal->layout()->addWidget(panel);
    redraw();
}

void VeskMainForm::setAnimationView(QWidget *view)
{
    m_pnlBot->layout()->addWidget(view);
    redraw();
}

void VeskMainForm::setTrayAvailable(bool available)
{
    m_trayAvailable = available;
    applyVisibility();
}

QString VeskMainForm::dateText() const
{
    return m_lblDate->text();
}

QString VeskMainForm::timeText() const
{
    return m_lblTime->text();
}

QString VeskMainForm::markerText() const
{
    return m_lblDot->text();
}

QString VeskMainForm::okText() const
{
    return m_spbOK->isVisibleTo(this) ? m_spbOK->text() : QString();
}

QString VeskMainForm::dialPanelText() const
{
    return m_pnlDial->isVisibleTo(this) ? m_pnlDial->text() : QString();
}

bool VeskMainForm::closeButtonShown() const
{
    return m_spbClose->isVisibleTo(this);
}

void VeskMainForm::applyLook()
{
    const QFont font = look::titleFont(m_c.settings());
    for (QWidget *w : { static_cast<QWidget *>(m_lblDate), static_cast<QWidget *>(m_lblTime),
             static_cast<QWidget *>(m_lblDot), static_cast<QWidget *>(m_spbOK), static_cast<QWidget *>(m_spbClose) })
        w->setFont(font);
    m_pnlTop->setToolTip(m_c.mailers().titleHint());
    focusChanged(m_active);
}

void VeskMainForm::focusChanged(bool active)
{
    // FocusON / FocusOFF: the title bar follows the program's activation.
    m_active = active;
    QPalette palette = m_pnlTop->palette();
    palette.setColor(QPalette::Window, active ? look::activeCaption() : look::inactiveCaption());
    m_pnlTop->setPalette(palette);
}

void VeskMainForm::previewClockColor(ColorValue color)
{
    QPalette text = m_lblTime->palette();
    text.setColor(QPalette::WindowText, look::color(color));
    for (QLabel *label : { m_lblDate, m_lblTime })
        label->setPalette(text);
}

void VeskMainForm::redraw()
{
    const DisplayState &display = m_c.strip().display();
    const Settings &settings = m_c.settings();
    // The title text in the new-mail colour until the mail is taken.
    QPalette text = m_pnlTop->palette();
    const QColor ink = look::color(display.mailColour() ? settings.OnFontColor : settings.FontColor);
    text.setColor(QPalette::WindowText, ink);
    text.setColor(QPalette::ButtonText, ink);
    for (QWidget *w : { static_cast<QWidget *>(m_lblDate), static_cast<QWidget *>(m_lblTime),
             static_cast<QWidget *>(m_lblDot), static_cast<QWidget *>(m_spbOK), static_cast<QWidget *>(m_spbClose) })
        w->setPalette(text);

    m_lblDate->setText(display.dateLabel());
    m_lblTime->setText(display.timeLabel());
    m_lblTime->setVisible(!display.timeLabel().isEmpty());
    m_lblDot->setText(m_c.strip().marker());

    const StripState state = m_c.strip().stripState();
    const OkButton ok = strip::okButton(state);
    m_spbOK->setText(ok.text);
    m_spbOK->setToolTip(ok.hint);
    m_spbOK->setVisible(ok.visible());
    // Disabled while the line is being hung up.
    m_spbOK->setEnabled(ok.text != QLatin1String("OFF") || m_c.dialUp().mainButtonEnabled());
    m_spbClose->setVisible(display.flags().close);

    m_shownLayout = m_c.strip().layout();
    m_pnlBot->setVisible(m_shownLayout == StripLayout::MailOn);
    m_pnlCal->setVisible(m_shownLayout == StripLayout::Calendar);
    const DialPanel &panel = m_c.dialUp().panel();
    QStringList lines;
    for (const QString &line : { panel.title, panel.entry, panel.detail, panel.status }) {
        if (!line.isEmpty())
            lines << line;
    }
    m_pnlDial->setText(lines.join(QLatin1Char('\n')));
    m_pnlDial->setVisible(m_shownLayout == StripLayout::DialUp && panel.shown);

    const bool topmost = strip::topmost(state);
    if (topmost != m_topmost) {
        m_topmost = topmost;
        const bool wasVisible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        if (wasVisible)
            show();
    }
    // The strip is as wide as its texts are now.
    m_pnlTop->layout()->invalidate();
    layout()->activate();
    adjustSize();
    // Placed before it first shows, so that it does not appear elsewhere and
    // then jump; centred, it follows its width.
    if (m_c.settings().PosiMode == 2 || !isVisible())
        applyPosition();
    applyVisibility();
}

void VeskMainForm::applyVisibility()
{
    // Without a tray the strip is the only way to the menu.
    const bool shown = m_c.strip().stripVisible() || !m_trayAvailable;
    if (shown && !isVisible())
        show();
    else if (!shown && isVisible())
        hide();
}

void VeskMainForm::applyPosition()
{
    if (!m_positionsHonoured)
        return;
    const Settings &settings = m_c.settings();
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    adjustSize();
    switch (settings.PosiMode) {
    case 1:
        move(area.left(), area.top());
        break;
    case 2:
        move(area.left() + strip::centredLeft(area.width(), width()), area.top());
        break;
    default:
        if (settings.MainPositionApplies) {
            // A place left on a screen that is gone would lose the strip.
            DeskLayout desk;
            for (const QScreen *each : QGuiApplication::screens())
                desk.workAreas << each->geometry();
            move(placeClient(QRect(QPoint(settings.MainLeft, settings.MainTop), size()), 0, desk));
        }
        break;
    }
}

void VeskMainForm::savePosition()
{
    m_c.strip().savePosition(x(), y());
}

bool VeskMainForm::inAnimationArea(const QPoint &pos) const
{
    return m_pnlBot->isVisible() && m_pnlBot->geometry().contains(pos);
}

void VeskMainForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (inAnimationArea(pos)) {
        m_singleClick.start();
        return;
    }
    // While the line is up a click shows or hides the dial-up panel.
    if (m_c.dialUp().connected()) {
        if (m_pnlDial->isVisible() && m_pnlDial->geometry().contains(pos))
            m_panelClick.start();
        else if (m_pnlTop->geometry().contains(pos))
            m_titleClick.start();
    }
    // The free position mode lets the strip be dragged by any point.
    if (m_c.settings().PosiMode == 0) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
}

void VeskMainForm::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void VeskMainForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        savePosition();
    }
}

void VeskMainForm::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    m_titleClick.stop();
    m_panelClick.stop();
    if (inAnimationArea(event->position().toPoint())) {
        m_singleClick.stop();
        m_c.mailers().mailerEntry(MailerController::MailerEntry::Animation);
        return;
    }
    m_c.mailers().mailerEntry(MailerController::MailerEntry::Title);
}

void VeskMainForm::contextMenuEvent(QContextMenuEvent *event)
{
    emit menuRequested(event->globalPos());
}

void VeskMainForm::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    // Esc opens and closes the calendar; the arrows turn its months.
    switch (event->key()) {
    case Qt::Key_Escape:
        m_c.planner().toggleCalendar();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (m_c.planner().calendarOpen()) {
            if (event->key() == Qt::Key_Left)
                m_c.planner().calendarPrevious();
            else if (event->key() == Qt::Key_Right)
                m_c.planner().calendarNext();
            else
                m_c.planner().calendarToday();
            return;
        }
        break;
    default:
        break;
    }
    if (text.size() == 1 && text.at(0).isPrint())
        m_c.mailers().keyTyped(text.at(0));
}

} // namespace vesk
