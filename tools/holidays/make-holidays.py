#!/usr/bin/python3
"""Writes the calendar's holiday definition files YYYY.DEF: the national
holidays of Japan from the rules of the holiday law, and every Sunday (the
calendar colours exactly the days a .DEF file lists once there is one).

usage: make-holidays.py [FOLDER [FIRST LAST]]   (default: resources/holidays, 2000 2060)

Rules (the law as amended up to 2018, and the one-off laws of 2019-2021):
- fixed days: 1/1, 2/11, 4/29, 5/3, 5/4 (from 2007), 5/5, 8/11 (from 2016),
  11/3, 11/23; the Emperor's birthday 12/23 until 2018, none in 2019,
  2/23 from 2020;
- Happy Monday days: Coming of Age 2nd Monday of January, Marine Day 3rd
  Monday of July (7/20 until 2002), Respect for the Aged 3rd Monday of
  September (9/15 until 2002), Sports Day 2nd Monday of October;
- the equinox days from the usual astronomical formula;
- 2019: the enthronement 5/1 and its ceremony 10/22;
- 2020 and 2021: Marine Day, Sports Day and Mountain Day moved for the
  Olympic Games (7/23, 7/24, 8/10; 7/22, 7/23, 8/8);
- citizens' holidays: a day between two national holidays;
- substitute holidays: a holiday on a Sunday gives the next day (until 2006),
  or the next day that is no national holiday (from 2007).
"""
import datetime
import os
import sys


def nth_monday(year, month, n):
    first = datetime.date(year, month, 1)
    offset = (0 - first.weekday()) % 7  # Monday is 0
    return first + datetime.timedelta(days=offset + 7 * (n - 1))


def vernal_equinox(year):
    return int(20.8431 + 0.242194 * (year - 1980) - (year - 1980) // 4)


def autumnal_equinox(year):
    return int(23.2488 + 0.242194 * (year - 1980) - (year - 1980) // 4)


def national_holidays(year):
    """The days named by the holiday laws (国民の祝日) of one year."""
    d = datetime.date
    days = {d(year, 1, 1), d(year, 2, 11), d(year, 4, 29), d(year, 5, 3), d(year, 5, 5), d(year, 11, 3),
            d(year, 11, 23)}
    days.add(nth_monday(year, 1, 2) if year >= 2000 else d(year, 1, 15))
    if year >= 2007:
        days.add(d(year, 5, 4))
    # The Emperor's birthday.
    if 1989 <= year <= 2018:
        days.add(d(year, 12, 23))
    elif year >= 2020:
        days.add(d(year, 2, 23))
    days.add(d(year, 3, vernal_equinox(year)))
    days.add(d(year, 9, autumnal_equinox(year)))
    days.add(nth_monday(year, 9, 3) if year >= 2003 else d(year, 9, 15))
    # Marine Day, Sports Day and Mountain Day, moved in the Olympic years.
    moved = {2020: (d(2020, 7, 23), d(2020, 7, 24), d(2020, 8, 10)),
             2021: (d(2021, 7, 22), d(2021, 7, 23), d(2021, 8, 8))}
    if year in moved:
        days.update(moved[year])
    else:
        days.add(nth_monday(year, 7, 3) if year >= 2003 else d(year, 7, 20))
        days.add(nth_monday(year, 10, 2))
        if year >= 2016:
            days.add(d(year, 8, 11))
    if year == 2019:
        days.update({d(2019, 5, 1), d(2019, 10, 22)})
    return days


def days_off(year):
    """National holidays with the citizens' and the substitute holidays."""
    national = national_holidays(year)
    off = set(national)
    one = datetime.timedelta(days=1)
    first, last = datetime.date(year, 1, 1), datetime.date(year, 12, 31)
    day = first
    while day <= last:
        if day not in national and day - one in national and day + one in national:
            if year >= 2007 or day.weekday() != 6:
                off.add(day)
        day += one
    for holiday in sorted(national):
        if holiday.weekday() != 6:
            continue
        substitute = holiday + one
        if year >= 2007:
            while substitute in national:
                substitute += one
        if substitute.year == year:
            off.add(substitute)
    return off


def sundays(year):
    day = datetime.date(year, 1, 1)
    day += datetime.timedelta(days=(6 - day.weekday()) % 7)
    while day.year == year:
        yield day
        day += datetime.timedelta(days=7)


def def_text(year):
    marked = days_off(year) | set(sundays(year))
    lines = []
    for month in range(1, 13):
        lines.append("<%d>" % month)
        lines.extend(str(day.day) for day in sorted(marked) if day.month == month)
    return "".join(line + "\r\n" for line in lines)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "holidays")
    first, last = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) > 3 else (2000, 2060)
    os.makedirs(folder, exist_ok=True)
    for year in range(first, last + 1):
        with open(os.path.join(folder, "%d.DEF" % year), "w", newline="", encoding="ascii") as f:
            f.write(def_text(year))
    return 0


if __name__ == "__main__":
    sys.exit(main())
