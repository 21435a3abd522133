#include "plan/gui/CalendarGrid.h"

#include "plan/CalendarState.h"
#include "plan/PlanHost.h"
#include "plan/gui/CalendarColors.h"
#include "settings/Settings.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace vesk {
namespace {

constexpr int Line = 1; // the separator between cells, in the panel's colour

const char16_t *const WeekNames[] = { u"日", u"月", u"火", u"水", u"木", u"金", u"土" };

const char16_t *const HeaderHints[] = {
    u"国民休日の色変更",
    u"休日計画設定背景の色変更",
    u"休日計画日の色変更",
    u"通常日の色変更",
    u"カレンダー背景の色変更",
    u"区切り色の変更",
    u"土曜日の色変更",
};

// A lowered inner and a raised outer frame.
void drawTodayFrame(QPainter &p, const QRect &r)
{
    const QColor light(255, 255, 255);
    const QColor dark(64, 64, 64);
    const QRect outer = r.adjusted(0, 0, -1, -1);
    const QRect inner = r.adjusted(1, 1, -2, -2);
    p.setPen(light);
    p.drawLine(outer.topLeft(), outer.topRight());
    p.drawLine(outer.topLeft(), outer.bottomLeft());
    p.setPen(dark);
    p.drawLine(outer.bottomLeft(), outer.bottomRight());
    p.drawLine(outer.topRight(), outer.bottomRight());
    p.setPen(dark);
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(light);
    p.drawLine(inner.bottomLeft(), inner.bottomRight());
    p.drawLine(inner.topRight(), inner.bottomRight());
}

} // namespace

CalendarGrid::CalendarGrid(const PlanHost &host, QWidget *parent)
    : QWidget(parent)
    , m_c(host)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CalendarGrid::cellSize() const
{
    const QFontMetrics fm(font());
    return QSize(std::max(fm.horizontalAdvance(QStringLiteral("88")) + 10, fm.height() + 8), fm.height() + 4);
}

QSize CalendarGrid::sizeHint() const
{
    const QSize cell = cellSize();
    return QSize(7 * cell.width() + 8 * Line, 7 * cell.height() + 8 * Line);
}

QRect CalendarGrid::headerRect(int header) const
{
    const QSize cell = cellSize();
    return QRect(Line + (header - 1) * (cell.width() + Line), Line, cell.width(), cell.height());
}

QRect CalendarGrid::cellRect(int n) const
{
    const QSize cell = cellSize();
    const int row = (n - 1) / 7 + 1;
    const int column = (n - 1) % 7;
    return QRect(Line + column * (cell.width() + Line), Line + row * (cell.height() + Line), cell.width(),
        cell.height());
}

int CalendarGrid::cellAt(const QPoint &pos) const
{
    for (int n = 1; n <= 42; ++n) {
        if (cellRect(n).contains(pos))
            return n;
    }
    return 0;
}

int CalendarGrid::headerAt(const QPoint &pos) const
{
    for (int n = 1; n <= 7; ++n) {
        if (headerRect(n).contains(pos))
            return n;
    }
    return 0;
}

void CalendarGrid::paintEvent(QPaintEvent *)
{
    const Settings &settings = m_c.settings();
    const CalendarState &calendar = m_c.calendar();
    QPainter p(this);
    p.fillRect(rect(), CalendarColors::week(settings, 6));

    for (int n = 1; n <= 7; ++n) {
        const QRect r = headerRect(n);
        p.fillRect(r, CalendarColors::week(settings, 5));
        const int ink = n == 1 ? 1 : n == 7 ? 7 : 4;
        p.setPen(CalendarColors::week(settings, ink));
        p.drawText(r, Qt::AlignCenter, QString::fromUtf16(WeekNames[n - 1]));
    }
    for (int n = 1; n <= 42; ++n) {
        const CalendarCell &cell = calendar.cell(n);
        const QRect r = cellRect(n);
        p.fillRect(r, CalendarColors::week(settings, cell.background));
        if (cell.todayFrame)
            drawTodayFrame(p, r);
        if (cell.caption.isEmpty())
            continue;
        QFont f = font();
        f.setUnderline(cell.underline);
        p.setFont(f);
        p.setPen(CalendarColors::week(settings, cell.text));
        p.drawText(r, Qt::AlignCenter, cell.caption);
    }
}

void CalendarGrid::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so that a click on the calendar does not drag the strip.
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (const int n = cellAt(event->position().toPoint()))
        emit dayClicked(n);
}

void CalendarGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (const int header = headerAt(pos))
        emit headerDoubleClicked(header);
    else if (const int n = cellAt(pos))
        emit dayDoubleClicked(n);
}

bool CalendarGrid::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto *help = static_cast<QHelpEvent *>(event);
    QString hint;
    if (const int header = headerAt(help->pos()))
        hint = QString::fromUtf16(HeaderHints[header - 1]);
    else if (const int n = cellAt(help->pos()))
        hint = m_c.calendar().cell(n).hint;
    hint.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), hint, this);
    return true;
}

} // namespace vesk
