#pragma once

#include "plan/HolidayDays.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vesk {

// The per-year holiday files: "2024.DEF" (national holidays, shipped with
// the program, only read) and "2024.HLD" (the user's planned days off). A
// line "<3>" starts March; each other line is a day of the month above it.
class HolidayFile final
{
public:
    static QString hldName(int year) { return QString::number(year) + QStringLiteral(".HLD"); }
    static QString defName(int year) { return QString::number(year) + QStringLiteral(".DEF"); }

    // Reading is forgiving: a month or day that is no number reads as 0 and,
    // like anything outside 1-12 and 1-31, is ignored; order and repeats do
    // not matter. Only the first MaxBytes of a file are looked at.
    static HolidayDays parse(const QByteArray &content);
    // The twelve month headers, each followed by its marked days in order,
    // every line ending in CR LF.
    static QByteArray format(const HolidayDays &days);

    // The days of an existing file; nothing when there is none. A file that
    // exists but cannot be read gives `error`.
    static std::optional<HolidayDays> read(const QString &path, QString *error);
    // HolidayWrite: the file written whole when any day is marked, else an
    // existing file removed. False with `error` when that fails.
    static bool write(const QString &path, const HolidayDays &days, QString *error);

    static constexpr qint64 MaxBytes = 64 * 1024;
};

} // namespace vesk
