#pragma once
// Where the buttons and the arrow keys move the selection, in both views. Pure
// functions of the calendar state; the window's handlers store the result and
// redraw. Where a click lands is the grid's business (input/grid.h).

#include <optional>
#include <string_view>

#include "engine/year_table.h"
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

// Whether "<" (months = -1) or ">" (+1) may move from the shown year: not
// once it lies before 5563 or after 6550. A refused move is silent.
bool MonthMoveAllowed(const CalendarState& s, int months);

// The message that refuses "<<" / ">>" by `years` from the shown year, when
// the year reached would lie outside 5563..6550; nothing when the move may go.
std::optional<std::string_view> YearMoveRefusal(const CalendarState& s, int years);

// The new SelDate for "<<" / ">>": the same Jewish month and day `years` years
// away from JewYear. Adar I and Adar II become the single Adar of a common
// year; the single Adar becomes Adar II of a leap year; day 30 is cut to the
// month's length. Nothing when `table` lacks the target year or the year
// after it, or their distance is not a valid year length.
std::optional<Date> YearMoveTarget(const CalendarState& s, int years, const YearTable& table);

// The Gregorian view covers the years 1 to 9999; a move that would leave
// them gives nothing and the view stays.
inline constexpr int kFirstGregYear = 1;
inline constexpr int kLastGregYear = 9999;

struct GregMove {
    Date GregDate;
    int GregDay;  // GregDay as the move left it: lowered when the month is too short
};

// "<" / ">" (months = -1 / +1) and "<<" / ">>" (months = -12 / +12): day
// GregDay of the month `months` away from GregDate's. While that day does not
// exist and GregDay is above 25, GregDay is lowered by one. Nothing outside
// the years 1..9999 or when no day is found.
std::optional<GregMove> GregMonthMoveTarget(const CalendarState& s, int months);

// An arrow key in the Gregorian view: GregDate + days, nothing outside the
// years 1..9999.
std::optional<Date> GregStepTarget(const CalendarState& s, int days);

}  // namespace tovel
