#pragma once
// Jewish months: numbers 1 Tishri .. 12 Elul, 6 for Adar I (also the single
// Adar of a common year) and 13 for Adar II, which follows Adar I in leap years.

#include <span>
#include <string>
#include <string_view>

#include "state/calendar_state.h"

namespace tovel {

inline constexpr int kTishri = 1;
inline constexpr int kAdarI = 6;  // also the single Adar of a common year
inline constexpr int kAdarII = 13;

inline bool IsLeapYearType(int yearType) { return yearType >= 4; }

// The month's name with one blank on each side (" Tishri "), "" outside 1..13.
std::string_view JewishMonthName(int monthNo);

// The Hebrew numeral of a day of the month (1..30) in UTF-8, in logical
// order: the tens letter first, the units letter second (shown right to
// left). 15 and 16 are written tet-vav and tet-zayin. "" outside 1..30.
std::string HebrewNumeral(int day);

// Length of month `monthNo` in a year of type `yearType`. Type 0 (an impossible
// year length) gets Heshvan 29, Kislev 30 and a single Adar of 29.
int JewishMonthLength(int monthNo, int yearType);

// Month numbers in calendar order for a year type (12 or 13 entries).
std::span<const int> JewishMonthOrder(int yearType);

// Sets JewMonthNo, JewDay, MonthDays and JewMonthName for SelDate, counting
// from YearStart with YearType. If SelDate lies past the year's last month
// (only with type 0), MonthDays is 0 and the other three keep their values.
void FindJDate(CalendarState& s);

}  // namespace tovel
