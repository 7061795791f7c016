#pragma once
// The layout of a sunset table, in one place: the table maker writes it, the
// lookup and the table check read it. Line 1 is the location's name, at most
// kMaxLocationNameBytes bytes; then one line for each of the kSunTableDays
// days of the calendar year (29 February after 28 February), each ending in
// CR LF and laid out in 13 columns, counted from 1:
//
//   1      unused (the maker writes a blank)
//   2-4    the English month abbreviation, Jan to Dec
//   5      a blank
//   6-7    the day of the month, right-aligned (" 5", "15")
//   8-9    blanks
//   10     the hour on the 12-hour clock, 1 to 9 (a sunset from 13:00 to 21:59)
//   11-13  ":MM", the minutes
//
// " Mar 21  6:14" is 18:14 on 21 March. Columns 2-7 are the day key.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// A longer first line is no location name: the calendar leaves the table out,
// the check refuses it and the maker does not write it.
inline constexpr std::size_t kMaxLocationNameBytes = 200;

inline constexpr int kSunTableDays = 366;

// Sunsets a day line can hold: the hour is one digit of the 12-hour clock.
inline constexpr int kEarliestSunLineMinute = 13 * 60;     // 13:00
inline constexpr int kLatestSunLineMinute = 21 * 60 + 59;  // 21:59

// Days of `month` (1..12) in a table: February has its 29th.
unsigned SunTableMonthDays(unsigned month);

// "Mar 21", "Jan  5": the day key of a month (1..12) and day.
std::string SunLineKey(unsigned month, unsigned day);

// Columns 2-7 of any line, as the lookup compares them with a day key; empty
// when the line is shorter than 7 columns.
std::string_view SunLineKeyOf(std::string_view line);

// The kSunTableDays day keys in table order.
const std::vector<std::string>& SunTableKeys();

// One day's line without its line end, " Mar 21  6:14" for hour 18 (24-hour
// clock) and minute 14; nothing when the time lies outside 13:00..21:59.
std::optional<std::string> WriteSunLine(unsigned month, unsigned day, int hour, int minute);

// A day line read strictly. Each problem names the first column that is
// wrong, or says where a short line ends.
struct SunLineFields {
    unsigned Month = 0, Day = 0;  // set when KeyProblem is empty
    int Hour = 0, Minute = 0;     // 24-hour clock, set when the line is Ok()
    std::string KeyProblem;       // why columns 1-7 name no day of the calendar
    std::string TimeProblem;      // why the rest is not the time; read only after a good key
    bool Ok() const { return KeyProblem.empty() && TimeProblem.empty(); }
};
SunLineFields ParseSunLine(std::string_view line);

// The time as the lookup reads it from a line, whatever else the line holds:
// a blank (in the place of a sign), 12 plus the digit in column 10 (anything
// else there, or a line too short for it, counts as 0), then columns 11-13 as
// written, as far as the line goes. " 18:14" for " Mar 21  6:14".
std::string SunLineTimeText(std::string_view line);

// `text` in single quotes, with control characters and bytes from 0x7F up as
// \xNN, for messages about a table's lines.
std::string QuotedTableText(std::string_view text);

}  // namespace tovel
