#include "plan/PlanText.h"

namespace vesk {

QString PlanText::minute(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString PlanText::date(const QDate &day)
{
    return QStringLiteral("%1/%2/%3")
        .arg(fourDigits(day.year()), twoDigits(day.month()), twoDigits(day.day()));
}

QDate PlanText::parseDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'/' || text[7] != u'/')
        return {};
    for (int i : { 0, 1, 2, 3, 5, 6, 8, 9 }) {
        if (!text[i].isDigit() || text[i].unicode() > 0x7F)
            return {};
    }
    return QDate(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
}

QString PlanText::twoDigits(int value)
{
    return QString::asprintf("%.2d", value);
}

QString PlanText::fourDigits(int value)
{
    return QString::asprintf("%.4d", value);
}

QString PlanText::padded(const QString &text, int width)
{
    if (text.size() >= width)
        return text;
    return text + QString(width - text.size(), u' ');
}

int PlanText::number(QStringView text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

int PlanText::weekdayIndex(const QDate &day)
{
    return day.dayOfWeek() % 7 + 1;
}

bool PlanText::isAction(const QString &comment)
{
    return !comment.isEmpty() && comment.front() == u'@' && comment.back() == u'@';
}

} // namespace vesk
