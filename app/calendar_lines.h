#pragma once
// The lines of text the calendar shows around its grid: the titles, the status
// lines, the weekday header and the Gregorian view's week. Pure functions; the
// window supplies the names in the system's language.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/calendar_state.h"
#include "state/date.h"
#include "sunset/sunset_table.h"

namespace tovel {

// First title line: the month name (with its blanks), a blank, the year.
std::string TitleLine(const CalendarState& s);

// The selected Jewish day in words: "26 Kislev 5787".
std::string SelectedJewishDate(const CalendarState& s);
// A Jewish day in words, month number 1 Tishri .. 13 Adar II.
std::string JewishDateText(int day, int monthNo, int year);

inline constexpr const char* kReminder = "The jewish day starts at sunset of the previous day";

// Status line 1 for a day's holiday text, with or without a sunset.
std::string StatusLineWithSunset(std::string_view holiday, std::string_view location,
                                 std::string_view time);
// Status line 1: with the sunset when the active location's table has one,
// otherwise the holiday text alone ("" on an ordinary day).
std::string StatusLine1(std::string_view holiday, const std::optional<SunsetTime>& sunset);
// Status line 2: the reminder in the Jewish view, empty in any other.
std::string_view StatusLine2(int GregView);

// Second title line from the Gregorian month names and four-digit years of the
// first day of the month and of the first day of the next month.
std::string GregorianSpan(std::string_view m1, std::string_view y1, std::string_view m2,
                          std::string_view y2);

// The weekday header from seven three-letter names, Sunday first: five blanks
// after Sunday, Tuesday, Thursday and Saturday, four after the others.
std::string WeekdayHeader(const std::vector<std::string>& names);

// Week number of GregDate, Sunday to Saturday weeks, the week holding
// 1 January being week 1, plus AddWeek. A result of exactly 0 is counted again
// from 1 January of the year before, so that week continues that year's count.
int WeekNumber(Date GregDate, int AddWeek);

// The week label: "Week  " and the week number of GregDate with AddWeek.
std::string WeekLabel(const CalendarState& s);

}  // namespace tovel
