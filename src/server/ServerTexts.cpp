#include "server/ServerTexts.h"

#include <cstdlib>

namespace vesk {
namespace {

QByteArray twoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

QByteArray beforeAt(const QByteArray &name)
{
    const qsizetype at = name.indexOf('@');
    return at >= 0 ? name.left(at) : name;
}

} // namespace

QByteArray StampId(const QDateTime &localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    const quint32 high = quint32((date.year() - 1980) * 512 + date.month() * 32 + date.day()) & 0xFFFF;
    const quint32 low = quint32(time.hour() * 2048 + time.minute() * 32 + time.second() / 2) & 0xFFFF;
    return QByteArray::number((high << 16) | low, 16).toUpper();
}

QByteArray DateText(const QDateTime &localTime)
{
    static const char *const days[] = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
    static const char *const months[]
        = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    return QByteArray(days[date.dayOfWeek() % 7]) + ", " + twoDigits(date.day()) + ' '
        + months[date.month() - 1] + ' ' + QByteArray::number(date.year()).rightJustified(4, '0') + ' '
        + twoDigits(time.hour()) + ':' + twoDigits(time.minute()) + ':' + twoDigits(time.second());
}

QByteArray ZoneText(int utcOffsetSeconds)
{
    const int total = std::abs(utcOffsetSeconds) / 60;
    int hours = total / 60;
    const int minutes = total % 60;
    QByteArray half = "00";
    if (minutes >= 45)
        ++hours;
    else if (minutes >= 15)
        half = "30";
    return QByteArray(utcOffsetSeconds >= 0 ? "+" : "-") + twoDigits(hours) + half;
}

QByteArray TraceText(const QByteArray &hostName, const QByteArray &version, const QByteArray &stampId,
    const QByteArray &dateText, const QByteArray &zoneText)
{
    return hostName + " (Vesk " + version + ") with SMTP id " + stampId + "; " + dateText + ' ' + zoneText;
}

bool UserCheck(const QByteArray &given, const QByteArray &userId)
{
    return given == userId || beforeAt(given) == beforeAt(userId);
}

} // namespace vesk
