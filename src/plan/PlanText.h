#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace vesk {

// The texts plans are made of. Dates and times of plans are compared as
// text: "yyyy/mm/dd hh:nn" sorts in time order.
class PlanText final
{
public:
    // "yyyy/mm/dd hh:nn" of a moment.
    static QString minute(const QDateTime &when);
    // "yyyy/mm/dd" of a day.
    static QString date(const QDate &day);
    // The day a "yyyy/mm/dd" text names; invalid unless the text is exactly a
    // calendar date in that form.
    static QDate parseDate(QStringView text);

    // "%.2d" and "%.4d".
    static QString twoDigits(int value);
    static QString fourDigits(int value);
    // "%-Ns": left-justified, padded with blanks; longer text is kept whole.
    static QString padded(const QString &text, int width);

    // A decimal number, or `fallback` for any other text.
    static int number(QStringView text, int fallback);

    // 1 = Sunday .. 7 = Saturday.
    static int weekdayIndex(const QDate &day);

    // The action plans: comments "@...@" that do something instead of
    // being shown.
    static bool isAction(const QString &comment);
};

} // namespace vesk
