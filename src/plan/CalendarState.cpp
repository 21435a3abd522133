#include "plan/CalendarState.h"

#include "plan/CalendarLayout.h"
#include "plan/HolidayFile.h"
#include "plan/PlanRecord.h"
#include "plan/PlanState.h"
#include "plan/PlanText.h"

#include <QFileInfo>

namespace vesk {
namespace {

const QString PlanningHint = QStringLiteral("クリックで休日設定／解除");

} // namespace

CalendarState::CalendarState(QString dataFolder, QString shippedFolder)
    : m_dataFolder(std::move(dataFolder))
    , m_shippedFolder(std::move(shippedFolder))
{ }

QString CalendarState::title() const
{
    return QStringLiteral("%1年 %2月").arg(m_year).arg(m_month);
}

void CalendarState::show(int year, int month)
{
    m_year = std::clamp(year, 1, 9999);
    m_month = std::clamp(month, 1, 12);
    m_firstWeekday = CalendarLayout::firstWeekday(m_year, m_month);
}

void CalendarState::showPrevious()
{
    if (m_month == 1)
        show(m_year - 1, 12);
    else
        show(m_year, m_month - 1);
}

void CalendarState::showNext()
{
    if (m_month == 12)
        show(m_year + 1, 1);
    else
        show(m_year, m_month + 1);
}

QString CalendarState::hldPath(int year) const
{
    return m_dataFolder + QLatin1Char('/') + HolidayFile::hldName(year);
}

QString CalendarState::defPath(int year) const
{
    // A file the user put beside the planned days replaces the shipped one.
    const QString own = m_dataFolder + QLatin1Char('/') + HolidayFile::defName(year);
    if (QFileInfo::exists(own) || m_shippedFolder.isEmpty())
        return own;
    return m_shippedFolder + QLatin1Char('/') + HolidayFile::defName(year);
}

bool CalendarState::HolidayWrite(QString *error) const
{
    if (m_loadedYear == NoYear)
        return true;
    return HolidayFile::write(hldPath(m_loadedYear), m_planned, error);
}

bool CalendarState::HolidayRead(int year, QString *error)
{
    m_planned.clear();
    m_national.clear();
    m_loadedYear = year;
    QString problem;
    if (auto planned = HolidayFile::read(hldPath(year), &problem))
        m_planned = *planned;
    const QString def = defPath(year);
    if (auto national = HolidayFile::read(def, &problem))
        m_national = *national;
    m_hasDef = QFileInfo::exists(def);
    if (!problem.isEmpty() && error)
        *error = problem;
    return problem.isEmpty();
}

void CalendarState::forgetHolidays()
{
    m_loadedYear = NoYear;
    m_hasDef = false;
}

bool CalendarState::CalDaySet(const QDate &today, const QStringList &planLines, QString *error)
{
    bool ok = true;
    if (m_year != m_loadedYear) {
        // The planned days in memory belong to the year loaded before.
        if (m_planning && !HolidayWrite(error))
            return false;
        ok = HolidayRead(m_year, error);
    }

    const int base = m_planning ? 2 : 5;
    const QString baseHint = m_planning ? PlanningHint : QString();
    for (CalendarCell &cell : m_cells)
        cell = CalendarCell { QString(), base, 4, false, baseHint, false };

    const int days = CalendarLayout::daysInMonth(m_year, m_month);
    for (int day = 1; day <= days; ++day) {
        const int n = CalendarLayout::cellOfDay(m_firstWeekday, day);
        CalendarCell &cell = m_cells[n - 1];
        if (CalendarLayout::isSaturday(n))
            cell.text = 7;
        if (!m_hasDef && CalendarLayout::isSunday(n))
            cell.text = 1;
        if (m_hasDef && m_national.isSet(m_month, day))
            cell.text = 1;
        if (m_planned.isSet(m_month, day))
            cell.background = 3;
        cell.caption = QString::number(day);
    }
    if (today.year() == m_year && today.month() == m_month)
        m_cells[CalendarLayout::cellOfDay(m_firstWeekday, today.day()) - 1].todayFrame = true;
    markPlans(planLines);
    return ok;
}

void CalendarState::markPlans(const QStringList &planLines)
{
    const int days = CalendarLayout::daysInMonth(m_year, m_month);
    for (const QString &line : planLines) {
        const PlanRecord plan = PlanRecord::fromLine(line);
        if (PlanText::number(plan.month(), 1) != m_month || PlanText::number(plan.year(), 1999) != m_year)
            continue;
        // Weekly and daily plans would mark every week; only a plan's next
        // date is marked.
        if (plan.modeNumber() >= PlanRecord::Weekly)
            continue;
        const QString comment = plan.comment.left(PlanState::CommentLength);
        if (PlanText::isAction(comment))
            continue;
        const int day = PlanText::number(plan.day(), 0);
        if (day < 1 || day > days)
            continue;
        CalendarCell &cell = m_cells[CalendarLayout::cellOfDay(m_firstWeekday, day) - 1];
        cell.underline = true;
        const QString text = plan.time() + QStringLiteral(" < ") + comment + QStringLiteral(" >");
        cell.hint = cell.hint.isEmpty() ? text : cell.hint + QStringLiteral("\r\n") + text;
    }
}

int CalendarState::dayOfCell(int cell) const
{
    return CalendarLayout::dayOfCell(m_firstWeekday, CalendarLayout::daysInMonth(m_year, m_month), cell);
}

bool CalendarState::toggleDay(int cell)
{
    if (!m_planning || cell < 1 || cell > CalendarLayout::Cells)
        return false;
    const int day = dayOfCell(cell);
    if (day == 0)
        return false;
    m_planned.toggle(m_month, day);
    m_cells[cell - 1].background = m_planned.isSet(m_month, day) ? 3 : 2;
    return true;
}

} // namespace vesk
