#pragma once
// Holidays and fasts by Jewish month and day, and the texts of the shown month.

#include <span>
#include <string_view>

#include "state/calendar_state.h"

namespace tovel {

enum class AdarRule { Always, CommonYearOnly };

struct HolidayRow {
    int Month;        // Jewish month number
    int Day;          // regular day
    int SaturdayDay;  // day used instead when the regular day is a Saturday; 0 = never moves
    AdarRule Rule;
    std::string_view Text;
};

std::span<const HolidayRow> HolidayTable();

// FirstDate = SelDate - JewDay + 1, and DayText[1..42] rebuilt for the shown month.
void SetHolidays(CalendarState& s);

// The selected day's holiday text, "" when JewDay is outside the month table.
const std::string& SelectedDayText(const CalendarState& s);

}  // namespace tovel
