#pragma once
// Month setup: from SelDate and the year table to the shown Jewish year,
// month, day and holidays.

#include <optional>
#include <string>

#include "engine/notifier.h"
#include "state/calendar_state.h"

namespace tovel {

// Reads the year table at s.RHDatesFile once and sets JewYear, YearStart,
// NextYearStart, YearAfterStart, YearType, the Jewish month and day,
// FirstDate, NextMonthDate, FirstCell and DayText for s.SelDate.
//
// Returns false, leaving `s` exactly as it was, when the table cannot be read
// or cannot describe SelDate's year: that year and the two after it must all
// have a line that parses, and SelDate must lie between the year's 1 Tishri
// and the next. "Unknown year type" goes to `notify`, and the month is then
// set up with year type 0.
bool FindGDate(CalendarState& s, const Notifier& notify);

class YearTable;
// FindGDate on a table already read.
bool SetUpMonth(CalendarState& s, const YearTable& table, const Notifier& notify);

// Why the year table at `path` cannot set up the month of `day`, and, when
// `day` merely lies before or after the table's years, the nearest day whose
// month it can set up.
struct YearTableFallback {
    std::string Problem;          // names the file, for the user
    std::optional<Date> Nearest;  // nothing when the table is unreadable or damaged
};
YearTableFallback FallbackForDay(const std::string& path, Date day);

}  // namespace tovel
