#pragma once
// The year table: one line per Jewish year, its number in the first four
// characters and the Gregorian date of its 1 Tishri in the last eleven.

#include <optional>
#include <string>
#include <string_view>

#include "engine/notifier.h"
#include "state/date.h"

namespace tovel {

inline constexpr const char* kUnknownYearType = "Unknown year type";

// The lines found around the selected date's Gregorian year. A line that was
// not read is empty. Trailing CR and blanks are already removed.
struct YearTableLines {
    std::string Matching;  // the Jewish year whose 1 Tishri lies in the key year
    std::string Previous;  // the line before it, "" when it is the first line
    std::string Next;
    std::string AfterNext;
    std::string Step;      // the line of Matching's year + YearStep (see SearchYearTable)
    bool Matched = false;  // false when no line ends in the key
};

// Reads the whole file at `path` and walks it as the table search does: the
// matching line, its neighbours and the step line. With YearStep > 1 the step
// line never becomes the file's last line; when the target year is missing the
// walk stops on the line before the last. Nothing when the file cannot be read.
std::optional<YearTableLines> SearchYearTable(const std::string& path, std::string_view key,
                                              int YearStep);

// Same walk over text already in memory (one table, lines ending in CR LF or LF).
YearTableLines SearchYearText(std::string_view text, std::string_view key, int YearStep);

// The Jewish year in a line's first four characters; nothing if they are not digits.
std::optional<int> LineYear(std::string_view line);
// The date in a line's last eleven characters, trimmed; nothing if it does not parse.
std::optional<Date> LineDate(std::string_view line);

// 1..6 for 353, 354, 355, 383, 384, 385 days from Year1 to Year2; any other
// length tells the notifier "Unknown year type" and gives 0.
int FindYearType(const Date& Year2, const Date& Year1, const Notifier& notify);

// Lengths of the six year types, index 1..6; index 0 is 0.
int YearTypeLength(int yearType);

}  // namespace tovel
