#pragma once

#include <QByteArray>
#include <QDateTime>

namespace vesk {

// The date and time packed as a 32-bit file date-time value, in upper-case
// hexadecimal without leading zeros. Names the greeting stamp and the SMTP id.
QByteArray StampId(const QDateTime &localTime);

// "Sun, 06 Dec 2026 08:00:00": English names whatever the locale.
QByteArray DateText(const QDateTime &localTime);

// "+0900" from the offset of local time to UTC in seconds; the minutes are
// rounded to a half hour.
QByteArray ZoneText(int utcOffsetSeconds);

// host + " (Vesk " + version + ") with SMTP id " + id + "; " + date + " " + zone.
QByteArray TraceText(const QByteArray &hostName, const QByteArray &version, const QByteArray &stampId,
    const QByteArray &dateText, const QByteArray &zoneText);

// A mailer may log in with the bare account name or the full address: the
// names pass when equal, or when equal once each is cut before its first "@".
bool UserCheck(const QByteArray &given, const QByteArray &userId);

} // namespace vesk
