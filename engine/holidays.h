#pragma once
// Holidays and fasts by Jewish month and day, and the texts of the shown month.

#include <span>
#include <string_view>

#include "state/calendar_state.h"
#include "state/date.h"

namespace tovel {

enum class AdarRule { Always, CommonYearOnly };

struct HolidayRow {
    int Month;        // Jewish month number
    int Day;          // regular day
    int SaturdayDay;  // day used instead when the regular day is a Saturday; 0 = never moves
    AdarRule Rule;
    std::string_view Text;         // on the day and in the status line
    std::string_view ChooserText;  // in the holiday chooser's list; "" = not in the list
};

std::span<const HolidayRow> HolidayTable();

// The day of the month on which `row`'s holiday falls in a month whose day 1
// is `firstDate`: SaturdayDay when the regular day is a Saturday and the
// holiday moves, else the regular day.
int HolidayDay(const HolidayRow& row, Date firstDate);

// FirstDate = SelDate - JewDay + 1, and DayText[1..42] rebuilt for the shown month.
void SetHolidays(CalendarState& s);

// The selected day's holiday text, "" when JewDay is outside the month table.
const std::string& SelectedDayText(const CalendarState& s);

}  // namespace tovel
