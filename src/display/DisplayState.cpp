#include "display/DisplayState.h"

namespace vesk {

DisplayState::DisplayState(const Clock &clock) : m_clock(clock)
{
    dateWrite();
    timeSet();
}

bool DisplayState::hiddenMode() const
{
    return !(m_flags.close || m_flags.wareki || m_flags.seireki || m_flags.date || m_flags.week || m_flags.time);
}

QString DisplayState::eraText(const QDate &date)
{
    // The era follows the date: a "H" year past the Heisei era would name a
    // year thirty years ago.
    if (date >= QDate(2019, 5, 1))
        return QStringLiteral("R%1").arg(date.year() - 2018);
    if (date >= QDate(1989, 1, 8))
        return QStringLiteral("H%1").arg(date.year() - 1988);
    return QStringLiteral("S%1").arg(date.year() - 1925);
}

QString DisplayState::weekdayText(const QDate &date)
{
    static const char16_t *const names[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    return QString::fromUtf16(names[date.dayOfWeek() - 1]);
}

void DisplayState::dateWrite()
{
    const QDate today = m_clock.now().date();
    QString text;
    if (m_flags.wareki)
        text += eraText(today) + QLatin1Char(' ');
    if (m_flags.seireki)
        text += QString::number(today.year()) + QLatin1Char(' ');
    if (m_flags.date)
        text += QStringLiteral("%1/%2 ").arg(today.month()).arg(today.day());
    if (m_flags.week)
        text += weekdayText(today) + QLatin1Char(' ');
    // A plan alert keeps its text over a new day.
    m_dateLabel = m_planAlert ? m_planText : text;
    m_rememberedDate = today.toString(QStringLiteral("yyyy/MM/dd"));
}

void DisplayState::timeSet()
{
    // While the connection time is shown the time label is not the clock.
    if (m_dateLabel == QLatin1String("+ "))
        return;
    m_timeLabel = m_flags.time ? m_clock.now().toString(QStringLiteral("h:mm")) : QString();
}

void DisplayState::showConnectTime(const QString &time)
{
    m_dateLabel = QStringLiteral("+ ");
    m_timeLabel = time;
}

void DisplayState::dispSet(int mode)
{
    m_mode = mode;
    switch (mode) {
    case MailOn:
        m_mailColour = true;
        break;
    case NonMail:
        m_dateLabel = QStringLiteral("Non Mail");
        m_timeLabel.clear();
        break;
    case Password:
        m_dateLabel = QStringLiteral("Password");
        m_timeLabel.clear();
        break;
    case ConnectNG:
        m_dateLabel = QStringLiteral("ConnectNG");
        m_timeLabel.clear();
        break;
    case HowNow:
        m_dateLabel = QStringLiteral("How now");
        m_timeLabel.clear();
        break;
    case TimeSignal:
        m_dateLabel = QStringLiteral("<時報> ");
        m_timeLabel = m_signalTime;
        break;
    case PlanAlert:
        break;
    case Normal:
    case LineUp:
    case Calendar:
    case AfterQuestion:
    case DialPanel:
        dateWrite();
        timeSet();
        break;
    default:
        break;
    }
    if (m_planAlert)
        m_dateLabel = m_planText;
}

void DisplayState::setPlanAlert(const QString &time, const QString &comment)
{
    m_planAlert = true;
    m_planText = QStringLiteral("< ") + time + QStringLiteral(" = ") + comment + QStringLiteral(" > ");
}

void DisplayState::clearPlanAlert()
{
    m_planAlert = false;
    m_planText.clear();
}

QString DisplayState::statusText() const
{
    // What the strip shows: with new mail that is the date and the clock in
    // the mail colour ("< Mail ON >" is only in the dial-up panel).
    return (m_dateLabel + m_timeLabel).trimmed();
}

} // namespace vesk
