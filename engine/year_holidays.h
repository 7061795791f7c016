#pragma once
// A whole Jewish year at once: its months as the window would show each of
// them, and its holidays on their civil days. The printed year, the printed
// month's list and the exported calendar read them.

#include <optional>
#include <string>
#include <vector>

#include "state/calendar_state.h"
#include "state/date.h"

namespace tovel {

class YearTable;

// The years whose months `table` can set up (a year needs its own line and
// the two after it): the first and the last; nothing for a table that
// describes no year.
struct YearRange {
    int First, Last;
};
std::optional<YearRange> ExportableYears(const YearTable& table);

// The months of `jewYear` in calendar order (Adar II after Adar I), each set
// up as the window sets up the month of its day 1, the other fields taken
// from `base`. Empty when the table cannot describe the year.
std::vector<CalendarState> YearMonths(const YearTable& table, int jewYear,
                                      const CalendarState& base = {});

// A holiday text on its day.
struct HolidayOn {
    Date Day;
    int JewYear, Month, JewDay;  // Month: 1 Tishri .. 13 Adar II
    std::string Text;            // as the status line shows it
};

// Every holiday text of `jewYear`, in date order.
std::vector<HolidayOn> YearHolidays(const YearTable& table, int jewYear);

// The holiday texts on the days from `first` to `last`, both included, in
// date order; days the table cannot describe have none.
std::vector<HolidayOn> HolidaysBetween(const YearTable& table, Date first, Date last);

}  // namespace tovel
