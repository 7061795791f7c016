#pragma once
// Month setup: from SelDate and the year table to the shown Jewish year,
// month, day and holidays.

#include "engine/notifier.h"
#include "state/calendar_state.h"

namespace tovel {

// Reads the year table at s.RHDatesFile and sets JewYear, YearStart,
// NextYearStart, YearAfterStart, YearType, StepDays, the Jewish month and day,
// FirstDate and DayText for s.SelDate and s.YearStep.
//
// Returns false, leaving `s` exactly as it was, when the table cannot be read,
// has no line for SelDate's Gregorian year, has a line that does not parse, or
// lacks a neighbouring year that the month needs. "Unknown year type" goes to
// `notify`, and the month is then set up with year type 0.
bool FindGDate(CalendarState& s, const Notifier& notify);

}  // namespace tovel
