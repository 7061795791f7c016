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
//   8      a blank
//   9      a blank, or 1: the tens digit of the hour on the 12-hour clock
//   10     the hour's units digit: 1 to 9 after a blank (13:00 to 21:59),
//          0 or 1 after a 1 (22:00 to 23:59)
//   11-13  ":MM", the minutes
//
// " Mar 21  6:14" is 18:14 on 21 March, " Jun 21 10:06" 22:06 on 21 June.
// Columns 2-7 are the day key.
//
// A table may end with one more line, the zone line, naming the IANA time
// zone and the year its civil times were written for:
//
//   Zone Europe/London 2026
//
// Its columns 2-7 ("one Eu") are never a day key, so a reader that knows only
// the day lines passes over it. With it the lookup moves each time by the
// zone's daylight saving from the table's year to the year asked about.

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

// Sunsets a day line can hold: the hour is 1 to 11 on the 12-hour clock.
inline constexpr int kEarliestSunLineMinute = 13 * 60;     // 13:00
inline constexpr int kLatestSunLineMinute = 23 * 60 + 59;  // 23:59

// Years a table can be made for, and a zone line can name.
inline constexpr int kFirstSunTableYear = 1802;
inline constexpr int kLastSunTableYear = 2790;

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
// clock) and minute 14, " Jun 21 10:06" for 22:06: the tens digit only where
// the hour needs it. Nothing when the time lies outside 13:00..23:59.
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
// a blank (in the place of a sign), 12 plus ten times a digit in column 9 plus
// the digit in column 10 (anything else in either, or a line too short for
// it, counts as 0), then columns 11-13 as written, as far as the line goes.
// " 18:14" for " Mar 21  6:14", " 22:06" for " Jun 21 10:06".
std::string SunLineTimeText(std::string_view line);

// The same time in minutes after midnight, when columns 11-13 are ":MM" with
// MM from 00 to 59; nothing otherwise.
std::optional<int> SunLineMinutes(std::string_view line);

// " 18:14": a time in minutes after midnight as the lookup shows it.
std::string SunTimeText(int minutes);

// The zone line, "Zone Europe/London 2026", without its line end.
std::string WriteSunZoneLine(std::string_view zone, int year);

// Why `zone` cannot stand in a zone line ("" when it can): an IANA name is
// ASCII letters, digits and "/_-+", without blanks, at most 64 bytes.
std::string SunZoneNameProblem(std::string_view zone);

// A zone line read strictly: "Zone", a blank, the zone, a blank, the year
// (kFirstSunTableYear..kLastSunTableYear).
struct SunZoneFields {
    std::string Zone;  // set when Ok()
    int Year = 0;
    std::string Problem;
    bool Ok() const { return Problem.empty(); }
};
SunZoneFields ParseSunZoneLine(std::string_view line);

// True for a line that begins as a zone line does ("Zone "): the check reads
// such a line after the day lines as the zone line.
bool LooksLikeSunZoneLine(std::string_view line);

// `text` in single quotes, with control characters and bytes from 0x7F up as
// \xNN, for messages about a table's lines.
std::string QuotedTableText(std::string_view text);

}  // namespace tovel
