#include "plan/HolidayDays.h"

namespace vesk {

bool HolidayDays::isSet(int month, int day) const
{
    return inRange(month, day) && m_days[month - 1][day - 1];
}

void HolidayDays::set(int month, int day, bool on)
{
    if (inRange(month, day))
        m_days[month - 1][day - 1] = on;
}

bool HolidayDays::any() const
{
    for (const auto &month : m_days) {
        for (bool day : month) {
            if (day)
                return true;
        }
    }
    return false;
}

} // namespace vesk
