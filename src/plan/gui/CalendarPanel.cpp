#include "plan/gui/CalendarPanel.h"

#include "plan/CalendarState.h"
#include "plan/PlanHost.h"
#include "plan/gui/CalendarColors.h"
#include "settings/Settings.h"
#include "plan/gui/CalendarGrid.h"

#include <QColorDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace vesk {
namespace {

QToolButton *makeButton(QWidget *parent, const QString &text, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(false);
    // Keys stay with the strip: Left, Right, Down and Esc.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

CalendarPanel::CalendarPanel(PlanHost &host, QWidget *parent)
    : QWidget(parent)
    , m_c(host)
    , m_pnlToday(new QLabel(this))
    , m_spbPriv(makeButton(this, QStringLiteral("<<"), QStringLiteral("前月を開きます")))
    , m_spbNext(makeButton(this, QStringLiteral(">>"), QStringLiteral("次月を開きます")))
    , m_grid(new CalendarGrid(host, this))
    , m_spbToday(makeButton(this, QStringLiteral("Today"), QStringLiteral("今日の月に戻します")))
    , m_spbHLDset(makeButton(this, QStringLiteral("休"), QStringLiteral("休日計画設定モードに入ります")))
    , m_spbCalClose(makeButton(this, QStringLiteral("閉じる"), QStringLiteral("カレンダー表示を閉じます")))
    , m_chooseColour([this](const QColor &initial, int) { return QColorDialog::getColor(initial, this); })
{
    setObjectName(QStringLiteral("pnlCal"));
    setAutoFillBackground(true);
    m_pnlToday->setAlignment(Qt::AlignCenter);
    m_pnlToday->setToolTip(QStringLiteral("カレンダー色をデフォルトに戻す"));
    m_pnlToday->installEventFilter(this);
    m_spbHLDset->setCheckable(true);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(2);
    top->addWidget(m_spbPriv);
    top->addWidget(m_pnlToday, 1);
    top->addWidget(m_spbNext);
    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(2);
    bottom->addWidget(m_spbToday);
    bottom->addWidget(m_spbHLDset);
    bottom->addStretch(1);
    bottom->addWidget(m_spbCalClose);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    column->addLayout(top);
    column->addWidget(m_grid, 0, Qt::AlignHCenter);
    column->addLayout(bottom);

    connect(m_spbPriv, &QToolButton::clicked, &m_c, &PlanHost::calendarPrevious);
    connect(m_spbNext, &QToolButton::clicked, &m_c, &PlanHost::calendarNext);
    connect(m_spbToday, &QToolButton::clicked, &m_c, &PlanHost::calendarToday);
    connect(m_spbHLDset, &QToolButton::clicked, &m_c, &PlanHost::toggleHolidayPlanning);
    connect(m_spbCalClose, &QToolButton::clicked, &m_c, &PlanHost::closeCalendar);
    connect(m_grid, &CalendarGrid::dayClicked, &m_c, &PlanHost::calendarDayClicked);
    connect(m_grid, &CalendarGrid::dayDoubleClicked, &m_c, &PlanHost::calendarDayDoubleClicked);
    connect(m_grid, &CalendarGrid::headerDoubleClicked, this, &CalendarPanel::chooseColour);
    connect(&m_c, &PlanHost::calendarChanged, this, &CalendarPanel::redraw);
    connect(&m_c, &PlanHost::settingsChanged, this, &CalendarPanel::redraw);
    redraw();
}

QString CalendarPanel::titleText() const
{
    return m_pnlToday->text();
}

bool CalendarPanel::planningShown() const
{
    return m_spbHLDset->isChecked();
}

void CalendarPanel::redraw()
{
    const Settings &settings = m_c.settings();
    const CalendarState &calendar = m_c.calendar();
    // The panel's own colour shows as the lines between the cells.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, CalendarColors::week(settings, 6));
    setPalette(palette);
    m_pnlToday->setText(calendar.title());

    const bool planning = calendar.planning();
    m_spbHLDset->setChecked(planning);
    m_spbHLDset->setToolTip(planning ? QStringLiteral("現在、休日計画設定モードです")
                                     : QStringLiteral("休日計画設定モードに入ります"));
    QPalette button = m_spbToday->palette();
    if (planning)
        button.setColor(QPalette::ButtonText, CalendarColors::week(settings, 3));
    m_spbHLDset->setPalette(button);
    m_grid->update();
}

void CalendarPanel::chooseColour(int number)
{
    // pnlWeek7DblClick
    const QColor chosen = m_chooseColour(CalendarColors::week(m_c.settings(), number), number);
    if (!chosen.isValid())
        return;
    m_c.setCalendarColour(number, ColorValue::fromRgb(chosen.red(), chosen.green(), chosen.blue()));
}

bool CalendarPanel::eventFilter(QObject *watched, QEvent *event)
{
    // pnlTodayDblClick
    if (watched == m_pnlToday && event->type() == QEvent::MouseButtonDblClick) {
        m_c.resetCalendarColours();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vesk
