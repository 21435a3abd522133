#pragma once

#include <QString>

namespace vesk {

// One plan of section Plan. Stored as a value named "yyyy/mm/dd hh:nn RR"
// (due minute and rank) holding "M W comment" (mode digit, weekday index,
// comment). Read back as the line "name=data", whose character positions
// the fields are cut from; a name of only the 16-character date-time is the
// older form and reads as rank "00".
struct PlanRecord
{
    QString dateTime; // "yyyy/mm/dd hh:nn"
    QString rank = QStringLiteral("00");
    QString mode; // "0" once, "1" yearly, "2" monthly, "3" weekly, "4" daily
    QString weekday; // "0", or "1" Sunday .. "7" Saturday
    QString comment;

    // Modes by their digit.
    static constexpr int Once = 0;
    static constexpr int Yearly = 1;
    static constexpr int Monthly = 2;
    static constexpr int Weekly = 3;
    static constexpr int Daily = 4;

    QString name() const { return dateTime + QLatin1Char(' ') + rank; }
    QString data() const;
    // name "=" data.
    QString line() const { return name() + QLatin1Char('=') + data(); }
    // The plan editor's list line: date-time, rank, mode, weekday and
    // comment at positions 1, 18, 22, 25 and 28.
    QString listLine() const;

    QString year() const { return dateTime.left(4); }
    QString month() const { return dateTime.mid(5, 2); }
    QString day() const { return dateTime.mid(8, 2); }
    QString date() const { return dateTime.left(10); }
    QString time() const { return dateTime.mid(11, 5); }

    // The mode as a number; 10 for anything but a digit.
    int modeNumber() const;

    // A section line "name=data"; a 16-character name gets rank "00".
    static PlanRecord fromLine(const QString &line);
    static PlanRecord fromListLine(const QString &listLine);
    // The older form of a line: no rank in its name.
    static bool lacksRank(const QString &line);
    // The line with " 00" put in the name when it has no rank.
    static QString withRank(const QString &line);
};

} // namespace vesk
