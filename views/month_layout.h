#pragma once
// Where the Jewish month view puts things, in twips inside the grid. Pure
// functions of the calendar state; the window only draws what they say.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/calendar_state.h"
#include "sunset/sunset_table.h"

namespace tovel {

enum class Ink { Black, Red, Green };  // weekday, Saturday, holiday

struct DayCell {
    int Day;           // Jewish day, 1..MonthDays
    int Column;        // 1 = Sunday .. 7 = Saturday
    int Row;           // 1 = top
    int X, Y;          // top-left corner of the glyph, twips
    Ink Colour;        // of the glyph and the Gregorian number
    int GregDay;       // Gregorian day of the month
    int TextX, TextY;  // where the Gregorian number is printed
    std::string Text;  // the number as printed: a blank, then the digits
};

// The cells of the shown month from FirstDate, MonthDays and DayText, in day
// order. Empty when MonthDays is 0.
std::vector<DayCell> MonthCells(const CalendarState& s);

struct MarkerPlace {
    int Left, Top;  // twips inside the grid
};

// The selection marker around JewDay, with the user's corrections AddXJ/AddYJ.
MarkerPlace MarkerPosition(const CalendarState& s);

// First title line: the month name (with its blanks), a blank, the year.
std::string TitleLine(const CalendarState& s);

// The selected Jewish day in words: "26 Kislev 5787".
std::string SelectedJewishDate(const CalendarState& s);

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

}  // namespace tovel
