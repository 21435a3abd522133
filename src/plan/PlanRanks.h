#pragma once

#include <QString>

#include <functional>

namespace vesk {

// Ranks keep plans of the same minute apart: each gets the lowest two-digit
// rank, from "00", that is not taken at its date-time.
class PlanRanks final
{
public:
    using Taken = std::function<bool(const QString &name)>;

    // The value name "date-time rank" for a plan due at `dateTime`. When all
    // hundred ranks of that minute are taken the plan goes to the next minute
    // that has one free, so no name ever grows past two digits of rank and
    // no plan overwrites another.
    static QString freeName(const QString &dateTime, const Taken &taken);
};

} // namespace vesk
