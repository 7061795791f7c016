#pragma once
// The arithmetic behind the navigation buttons of the Jewish view and behind a
// click on the grid of either view. Pure functions of the calendar state; the
// window's handlers check the year range, store the result and redraw.

#include <optional>
#include <string_view>

#include "engine/year_starts.h"
#include "state/calendar_state.h"
#include "state/date.h"

namespace tovel {

// The Jewish years the month and year buttons keep the view in; the year
// table reaches one year further each way, so the month buttons can step
// just outside.
inline constexpr int kFirstNavYear = 5563;
inline constexpr int kLastNavYear = 6550;
inline constexpr const char* kLowerLimitMessage = "Tovel can not pass below jewish year 5563";
// The upper message is the chooser's, kUpperLimitMessage (engine/holiday_chooser.h).

// A cell of the grid, 0-based: column 0 = Sunday .. 6 = Saturday, row 0 .. 5.
struct GridCell {
    int Column;
    int Row;
};

// The cell under a click at (X, Y), twips inside the grid. The 180-twip strip
// left of and above the first cell counts as column 0 and row 0. Nothing right
// of the seventh column, below the sixth row, or at a negative position.
std::optional<GridCell> CellAt(const CalendarState& s, float X, float Y);

// The day (1..MonthDays) of the shown Jewish month under a click, from
// FirstCell and MonthDays; nothing for an empty cell or a click off the grid.
std::optional<int> JewishDayAt(const CalendarState& s, float X, float Y);

// The day of the shown Gregorian month (the month of GregDate) under a click;
// nothing for an empty cell or a click off the grid.
std::optional<Date> GregDateAt(const CalendarState& s, float X, float Y);

// The new SelDate for "<" (months = -1) or ">" (months = +1): the same day
// number in the neighbouring Jewish month, cut to that month's length. Reads
// FirstDate, MonthDays, JewDay, JewMonthNo and YearType. Nothing for any other
// `months` or when the state holds no shown month.
std::optional<Date> MonthMoveTarget(const CalendarState& s, int months);

// Gregorian date of day `day` of month `month` in the Jewish year running from
// yearStart to nextYearStart. Nothing when the year's length is not one of the
// six, the month is not in that year (Adar II in a common year) or the day is
// not in the month.
std::optional<Date> DateOfJewishDate(Date yearStart, Date nextYearStart, int month, int day);

// The new SelDate for "<<" / ">>": the same Jewish month and day `years` years
// away from JewYear. Adar I and Adar II become the single Adar of a common
// year; the single Adar becomes Adar II of a leap year; day 30 is cut to the
// month's length. Nothing when `starts` lacks the target year or the year
// after it, or their distance is not a valid year length.
// Whether "<" (months = -1) or ">" (+1) may move from the shown year: not
// once it lies before 5563 or after 6550. A refused move is silent.
bool MonthMoveAllowed(const CalendarState& s, int months);

// The message that refuses "<<" / ">>" by `years` from the shown year, when
// the year reached would lie outside 5563..6550; nothing when the move may go.
std::optional<std::string_view> YearMoveRefusal(const CalendarState& s, int years);

std::optional<Date> YearMoveTarget(const CalendarState& s, int years, const YearStarts& starts);

}  // namespace tovel
