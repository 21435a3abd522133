#include "plan/PlanRecord.h"

namespace vesk {

QString PlanRecord::data() const
{
    return mode + QLatin1Char(' ') + weekday + QLatin1Char(' ') + comment;
}

QString PlanRecord::listLine() const
{
    return dateTime + QLatin1Char(' ') + rank + QStringLiteral("  ") + mode + QStringLiteral("  ") + weekday
        + QStringLiteral("  ") + comment;
}

int PlanRecord::modeNumber() const
{
    if (mode.size() != 1 || !mode.front().isDigit() || mode.front().unicode() > 0x7F)
        return 10;
    return mode.front().unicode() - u'0';
}

bool PlanRecord::lacksRank(const QString &line)
{
    return line.size() > 16 && line.at(16) == u'=';
}

QString PlanRecord::withRank(const QString &line)
{
    if (!lacksRank(line))
        return line;
    return line.left(16) + QStringLiteral(" 00") + line.mid(16);
}

PlanRecord PlanRecord::fromLine(const QString &line)
{
    const QString full = withRank(line);
    PlanRecord record;
    record.dateTime = full.left(16);
    record.rank = full.mid(17, 2);
    record.mode = full.mid(20, 1);
    record.weekday = full.mid(22, 1);
    record.comment = full.mid(24);
    return record;
}

PlanRecord PlanRecord::fromListLine(const QString &listLine)
{
    PlanRecord record;
    record.dateTime = listLine.left(16);
    record.rank = listLine.mid(17, 2);
    record.mode = listLine.mid(21, 1);
    record.weekday = listLine.mid(24, 1);
    record.comment = listLine.mid(27);
    return record;
}

} // namespace vesk
