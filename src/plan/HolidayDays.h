#pragma once

#include <array>

namespace vesk {

// The marked days of one year, month 1-12 by day 1-31: national holidays
// from a .DEF file or planned days off from a .HLD file. Days outside those
// ranges are never marked.
class HolidayDays final
{
public:
    bool isSet(int month, int day) const;
    void set(int month, int day, bool on);
    void toggle(int month, int day) { set(month, day, !isSet(month, day)); }
    void clear() { m_days = {}; }
    bool any() const;

    bool operator==(const HolidayDays &other) const = default;

private:
    static bool inRange(int month, int day) { return month >= 1 && month <= 12 && day >= 1 && day <= 31; }
    std::array<std::array<bool, 31>, 12> m_days {};
};

} // namespace vesk
